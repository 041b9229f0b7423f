#pragma once
// What screen readers take Tarvo's own widgets for: the window a frame (a
// plain QWidget would be a "filler"), the picture a graphic; and a line
// edit heard as it takes the focus.

class QObject;

namespace tarvo {

// Before the window is made; once is enough.
void InstallAccessibleRoles();

// While one lives, what the line edit says of its caret is not passed on:
// as it takes the focus, Qt 6.4 tells the caret first, and Orca then takes
// the line for focused without a word.
class FocusWithoutCaret {
public:
    explicit FocusWithoutCaret(const QObject* line);
    ~FocusWithoutCaret();
    FocusWithoutCaret(const FocusWithoutCaret&) = delete;
    FocusWithoutCaret& operator=(const FocusWithoutCaret&) = delete;
};

}  // namespace tarvo
