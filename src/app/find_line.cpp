// frmPindle's find line: the list narrowed to the rows that hold every
// word typed, the selection kept where it can be.

#include "app/frm_pindle.h"
#include "ui/design.h"
#include "ui/find_rows.h"

namespace tarvo {

void frmPindle::OpenFind() {
    if (!finding_) {
        const int row = controls_.list1.ListIndex();
        finding_ = true;
        findText_.clear();
        controls_.find.Clear();
        Form_Resize();
        controls_.find.SetVisible(true);
        ShowFound(row);
    }
    controls_.find.SetFocus();
}

void frmPindle::CloseFind() {
    const int row = RowOfListIndex(controls_.list1.ListIndex());
    finding_ = false;
    found_.clear();
    controls_.find.SetVisible(false);
    Form_Resize();
    controls_.list1.Clear();  // before the names it shows go
    foundRows_.clear();
    controls_.list1.AddItems(rows_);
    if (row >= 0) controls_.list1.SetListIndex(row);
    controls_.list1.SetFocus();
    TellWhetherSelected();
}

void frmPindle::Find_Change(const std::string& text) {
    if (!finding_ || text == findText_) return;
    findText_ = text;
    ShowFound(RowOfListIndex(controls_.list1.ListIndex()));
}

void frmPindle::ShowFound(int selectedRow) {
    controls_.list1.Clear();
    if (foldedRows_.size() != rows_.size()) foldedRows_ = FoldedRows(rows_);  // once a fill, not once a key
    found_ = FindRows(foldedRows_, findText_);
    foundRows_.clear();
    foundRows_.reserve(found_.size());
    for (const std::uint32_t row : found_) foundRows_.push_back(rows_[row]);
    controls_.list1.AddItems(foundRows_);
    const int index = SelectionAfterFinding(found_, selectedRow);
    if (index >= 0) controls_.list1.SetListIndex(index);
    List1_Click();  // the file, its picture and what a screen reader is told follow
    controls_.find.SetDescription(FoundLine(found_.size(), rows_.size()));
}

bool frmPindle::Find_KeyDown(Key key) {
    if (!MovesInList(key)) return false;
    if (controls_.list1.ListIndex() < 0 && !foundRows_.empty()) {
        SelectRow(0);
    } else {
        controls_.list1.KeyDown(key);
    }
    return true;
}

int frmPindle::RowOfListIndex(int index) const {
    if (!finding_ || index < 0) return index;
    return index < static_cast<int>(found_.size()) ? static_cast<int>(found_[index]) : -1;
}

}  // namespace tarvo
