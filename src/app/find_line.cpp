// frmPindle's find line: the list narrowed to the rows that hold every
// word typed, the selection kept where it can be.

#include "app/frm_pindle.h"
#include "ui/design.h"
#include "ui/find_rows.h"

namespace tarvo {

void frmPindle::OpenFind() {
    if (!found_.IsOpen()) {
        found_.Open();
        controls_.find.Clear();
        Form_Resize();
        controls_.find.SetVisible(true);
        // Empty, the line keeps every row: the list stays as it is, and a
        // screen reader, whose rows it keeps, hears the line take the focus.
        found_.Narrow(rows_);
        if (const auto count = found_.CountToTell(rows_.size())) controls_.find.SetDescription(*count);
    }
    controls_.find.SetFocus();
}

void frmPindle::CloseFind() {
    const int row = found_.PlaceOf(controls_.list1.ListIndex());
    controls_.find.SetVisible(false);
    controls_.list1.Clear();  // before the names it shows go
    found_.Close();
    Form_Resize();
    controls_.list1.AddItems(rows_);
    if (row >= 0) controls_.list1.SetListIndex(row);
    controls_.list1.SetFocus();
    TellWhetherSelected();
}

void frmPindle::Find_Change(const std::string& text) {
    if (found_.Take(text)) ShowFound(found_.PlaceOf(controls_.list1.ListIndex()));
}

void frmPindle::ShowFound(int selectedRow) {
    controls_.list1.Clear();
    found_.Narrow(rows_);
    controls_.list1.AddItems(found_.Rows());
    const int index = SelectionAfterFinding(found_.Places(), selectedRow);
    if (index >= 0) controls_.list1.SetListIndex(index);
    List1_Click();  // the file, its picture and what a screen reader is told follow
    if (const auto count = found_.CountToTell(rows_.size())) controls_.find.SetDescription(*count);
}

bool frmPindle::Find_KeyDown(Key key) {
    if (!MovesInList(key)) return false;
    if (controls_.list1.ListIndex() < 0 && !found_.Rows().empty()) {
        SelectRow(0);
    } else {
        controls_.list1.KeyDown(key);
    }
    return true;
}

}  // namespace tarvo
