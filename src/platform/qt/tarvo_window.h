#pragma once
// frmPindle on Qt: the real window and its widgets, each event routed to the
// core handler of the same name.

#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "app/frm_pindle.h"
#include "play_button.h"
#include "qt_controls.h"
#include "rom_list_view.h"
#include "sdl_pads.h"

namespace tarvo {

class SingleInstance;

class TarvoWindow : public QWidget, private FormWindow {
public:
    // The instance tells the window of later starts.
    TarvoWindow(const Host& host, const Ports& ports, SingleInstance* instance = nullptr);
    ~TarvoWindow() override;

    frmPindle::LoadResult Load() { return form_->Form_Load(); }
    bool PictureSettled() const { return form_->PictureSettled(); }
    bool Reading() const { return form_->Reading(); }
    bool Starting() const { return form_->Starting(); }

    QListView* List1() const { return list_; }
    QPushButton* Command1() const { return play_; }
    PictureView* Image1() const { return picture_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // FormWindow
    void Show(bool fillScreen) override;
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;
    float ClientWidth() const override;
    float ClientHeight() const override;
    void Minimize() override { showMinimized(); }
    void Hide() override { hide(); }
    // As far as the window system tells: on Wayland, a minimised window is not.
    bool IsAway() const override { return isMinimized() || !isVisible(); }
    void Restore(const std::string& activationToken) override;
    void Unload() override { close(); }
    void ShowMessage(const std::string& text) override;
    void StartTimer(FormTimer timer, int milliseconds) override;
    // Qt does not tell: the window's thread never waits on a picture anyway.
    bool InputWaiting() const override { return false; }

    void CreateWidgets();
    // The designed colours, or the theme's where they would not read.
    void ApplyListColours();
    bool OwnsFocus(QObject* watched) const;

    RomListView* list_ = nullptr;
    NamesModel* model_ = nullptr;
    QPushButton* play_ = nullptr;
    PictureView* picture_ = nullptr;
    std::unique_ptr<QtListBox> list1_;
    std::unique_ptr<QtButton> command1_;
    std::unique_ptr<QtPicture> image1_;
    QLineEdit* findLine_ = nullptr;
    std::unique_ptr<QtFindLine> find_;
    std::unique_ptr<frmPindle> form_;
    std::string caption_;
    bool fillsScreen_ = false;
    std::map<FormTimer, std::unique_ptr<QTimer>> timers_;
    SdlPads pads_;
};

}  // namespace tarvo
