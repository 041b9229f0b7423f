#include "qt_controls.h"

#include <cmath>

#include "ui/design.h"

namespace tarvo {

namespace {
int ToPixels(double twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }
}  // namespace

double TwipsPlacement::TwipsPerPixel(const QWidget* widget) {
    return double(design::kTwipsPerInch) / widget->logicalDpiX();
}

TwipsPlacement::TwipsPlacement(QWidget* widget, const Rect& designed) : widget_(widget) { SetBounds(designed); }

void TwipsPlacement::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    // Edges are rounded, not sizes, so neighbours meet without a gap.
    const double tpp = TwipsPerPixel(widget_);
    const int left = ToPixels(bounds.left, tpp);
    const int top = ToPixels(bounds.top, tpp);
    widget_->setGeometry(left, top, ToPixels(double(bounds.left) + bounds.width, tpp) - left,
                         ToPixels(double(bounds.top) + bounds.height, tpp) - top);
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
