#pragma once
// List1 on Qt, behaving as a single-selection list box does: the user
// cannot empty the selection, and a double-click anywhere in the list
// counts. Typed characters are the window's (type-ahead), not Qt's search.

#include <QListView>
#include <functional>

namespace tarvo {

class AtspiListCache;

class RomListView : public QListView {
public:
    explicit RomListView(QWidget* parent) : QListView(parent) {}

    // The row under the pointer, or -1 below the last row.
    void OnDoubleClick(std::function<void(int row)> handler) { onDoubleClick_ = std::move(handler); }

    void keyboardSearch(const QString&) override {}
    // Tells a screen reader the selected row, soon, if the list then has
    // the focus (a window that comes back may get no focus event).
    void TellSelectedRow();
    // The line shown while the list is empty; none when empty.
    void SetPlaceholder(const QString& text);
    void setModel(QAbstractItemModel* model) override;
    // What a screen reader tells of the list beyond its name and rows.
    void SetDescription(const QString& text);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(int row)> onDoubleClick_;
    QString placeholder_;
    AtspiListCache* readersCache_ = nullptr;  // none where it is turned off
};

}  // namespace tarvo
