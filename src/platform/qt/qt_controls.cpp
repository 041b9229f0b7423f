#include "qt_controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include "key_bindings.h"
#include "ui/design.h"
#include "ui/pixels.h"

namespace tarvo {

double TwipsPlacement::TwipsPerPixel(const QWidget* widget) { return tarvo::TwipsPerPixel(widget->logicalDpiX()); }

TwipsPlacement::TwipsPlacement(QWidget* widget, const Rect& designed) : widget_(widget) { SetBounds(designed); }

void TwipsPlacement::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    const PixelRect pixels = ToPixels(bounds, TwipsPerPixel(widget_));
    widget_->setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
}

void NamesModel::Clear() {
    beginResetModel();
    names_.clear();
    endResetModel();
}

void NamesModel::Fill(const std::vector<std::string_view>& names) {
    if (names.empty()) return;
    beginInsertRows({}, 0, static_cast<int>(names.size()) - 1);
    names_ = names;
    endInsertRows();
}

int NamesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(names_.size()); }

QVariant NamesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const std::string_view name = names_[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QtListBox::QtListBox(RomListView* view, NamesModel* model, const Rect& designed)
    : view_(view), model_(model), placement_(view, designed) {}

int QtListBox::ListIndex() const {
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void QtListBox::KeyDown(Key key) {
    QKeyEvent press(QEvent::KeyPress, QtKey(key), Qt::NoModifier);
    QApplication::sendEvent(view_, &press);
}

void QtListBox::SetListIndex(int row) {
    const QModelIndex index = model_->index(row);
    selecting_ = true;
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    selecting_ = false;
    view_->scrollTo(index);
}

void QtListBox::OnClick(std::function<void()> handler) {
    QObject::connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, view_,
                     [this, handler = std::move(handler)] {
                         if (!selecting_) handler();
                     });
}

}  // namespace tarvo

namespace tarvo {

PixelSize QtPicture::Screen() const {
    // Never larger than the screen, where the window can never be larger.
    const QScreen* screen = view_->window()->screen();
    const QSize size = screen ? screen->size() * screen->devicePixelRatio() : QSize(1920, 1080);
    return {size.width(), size.height()};
}

}  // namespace tarvo
