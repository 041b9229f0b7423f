#pragma once
// The control interfaces over real Qt widgets. Each keeps the twips
// rectangle it was given and places its widget in pixels at the screen's
// real DPI.

#include <QAbstractListModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <functional>

#include "picture_decoder.h"
#include "picture_view.h"
#include "rom_list_view.h"
#include "accessible_roles.h"
#include "ui/controls.h"

namespace tarvo {

class TwipsPlacement {
public:
    TwipsPlacement(QWidget* widget, const Rect& designed);
    Rect Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    static double TwipsPerPixel(const QWidget* widget);

private:
    QWidget* widget_;
    Rect bounds_;
};

// The names List1 shows, kept as the core's texts and converted for Qt only
// when a row is drawn or searched: a fill costs nothing whatever its size.
class NamesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void Clear();
    void Fill(const std::vector<std::string_view>& names);  // after Clear
    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string_view> names_;
};

class QtListBox : public ListBoxControl {
public:
    QtListBox(RomListView* view, NamesModel* model, const Rect& designed);
    void Clear() override { model_->Clear(); }
    void AddItems(const std::vector<std::string_view>& items) override { model_->Fill(items); }
    void SetPlaceholder(const std::string& text) override { view_->SetPlaceholder(QString::fromStdString(text)); }
    int ListIndex() const override;
    void SetListIndex(int row) override;
    void SetFocus() override { view_->setFocus(); }
    void KeyDown(Key key) override;
    void SetDescription(const std::string& text) override { view_->SetDescription(QString::fromStdString(text)); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    // The user changed the selection, by mouse or keyboard.
    void OnClick(std::function<void()> handler);

private:
    RomListView* view_;
    NamesModel* model_;
    TwipsPlacement placement_;
    bool selecting_ = false;  // SetListIndex under way: no click
};

class QtButton : public ButtonControl {
public:
    QtButton(QPushButton* button, const Rect& designed) : button_(button), placement_(button, designed) {}
    void SetToolTip(const std::string& text) override { button_->setToolTip(QString::fromStdString(text)); }
    void SetDescription(const std::string& text) override { button_->setAccessibleDescription(QString::fromStdString(text)); }
    bool HasFocus() const override { return button_->hasFocus(); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }

private:
    QPushButton* button_;
    TwipsPlacement placement_;
};

class QtFindLine : public FindLineControl {
public:
    QtFindLine(QLineEdit* line, const Rect& designed) : line_(line), placement_(line, designed) {}
    void SetVisible(bool visible) override { line_->setVisible(visible); }
    void SetFocus() override {
        const FocusWithoutCaret heardAsFocused(line_);
        line_->setFocus();
    }
    void Clear() override {
        const QSignalBlocker quiet(line_);
        line_->clear();
    }
    void SetDescription(const std::string& text) override { line_->setAccessibleDescription(QString::fromStdString(text)); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }

private:
    QLineEdit* line_;
    TwipsPlacement placement_;
};

class QtPicture : public PictureControl {
public:
    QtPicture(PictureView* view, const Rect& designed) : view_(view), placement_(view, designed) {}
    void Show(std::shared_ptr<Picture> picture) override {
        view_->Show(picture ? static_cast<const DecodedImage&>(*picture).image : QImage(), view_->window()->windowIcon());
    }
    PixelSize Screen() const override;
    void SetName(const std::string& name) override { view_->setAccessibleName(QString::fromStdString(name)); }
    void SetVisible(bool visible) override { view_->setVisible(visible); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }

private:
    PictureView* view_;
    TwipsPlacement placement_;
};

}  // namespace tarvo
