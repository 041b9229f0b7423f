#include "qt_controls.h"

#include "ui/pixels.h"

namespace tarvo {

double TwipsPlacement::TwipsPerPixel(const QWidget* widget) { return tarvo::TwipsPerPixel(widget->logicalDpiX()); }

TwipsPlacement::TwipsPlacement(QWidget* widget, const Rect& designed) : widget_(widget) { SetBounds(designed); }

void TwipsPlacement::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    const PixelRect pixels = ToPixels(bounds, TwipsPerPixel(widget_));
    widget_->setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
}

QtListBox::QtListBox(QListView* view, QStringListModel* model, const Rect& designed)
    : view_(view), model_(model), placement_(view, designed) {}

void QtListBox::Clear() { model_->setStringList({}); }

void QtListBox::AddItems(const std::vector<std::string>& items) {
    QStringList all = model_->stringList();
    all.reserve(all.size() + static_cast<qsizetype>(items.size()));
    for (const auto& item : items) all.append(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    model_->setStringList(all);
}

int QtListBox::ListIndex() const {
    const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void QtListBox::Select(int row) {
    const QModelIndex index = model_->index(row);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

}  // namespace tarvo
