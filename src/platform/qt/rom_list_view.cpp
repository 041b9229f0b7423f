#include "rom_list_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "atspi_list_cache.h"

namespace tarvo {

QItemSelectionModel::SelectionFlags RomListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    // Ctrl+click and Ctrl+Space would deselect the one selected row, and a
    // click below the last row would clear it.
    const bool empties = !index.isValid() || (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle));
    return empties ? QItemSelectionModel::NoUpdate : command;
}

void RomListView::setModel(QAbstractItemModel* model) {
    QListView::setModel(model);
    // A long list is slow for a screen reader to walk, unless it is told the rows.
    readersCache_ = AtspiListCache::Attach(this);
}

void RomListView::SetDescription(const QString& text) {
    setAccessibleDescription(text);
    if (readersCache_) readersCache_->ListChanged();
}

void RomListView::SetPlaceholder(const QString& text) {
    placeholder_ = text;
    viewport()->update();
}

void RomListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (placeholder_.isEmpty() || model()->rowCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, placeholder_);
}

void RomListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    // A screen reader is told the list, after this; the selected ROM is
    // what the user wants to hear (Tab, the start, back from a game).
    TellSelectedRow();
}

void RomListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    // The first selection may fall on the row that was already current
    // (the list makes its first row current as it takes the focus): Qt then
    // tells a screen reader of no focus moving, and the ROM goes unheard.
    if (deselected.isEmpty() && selected.contains(currentIndex())) TellSelectedRow();
}

void RomListView::TellSelectedRow() {
    if (!QAccessible::isActive()) return;
    QMetaObject::invokeMethod(this, [this] {
        const QModelIndex selected = currentIndex();
        if (!hasFocus() || !selected.isValid() || !selectionModel()->isSelected(selected)) return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(selected.row());
        QAccessible::updateAccessibility(&focus);
    }, Qt::QueuedConnection);
}

void RomListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && onDoubleClick_) onDoubleClick_(indexAt(event->position().toPoint()).row());
}

}  // namespace tarvo
