#pragma once
// Form_Resize's arithmetic: the list takes the left third at full height,
// the picture the rest down to the button, the button runs along the bottom
// right. All values in twips.

#include "ui/controls.h"

namespace tarvo {

// File1 has no widget: nothing to place.
struct ControlRects {
    Rect list1;
    Rect image1;
    Rect command1;
};

// The rectangles after one run of the layout for a client area of the given
// size. A move whose width or height would be negative is refused as a
// whole: that control keeps its rectangle and the later steps read it.
ControlRects LayoutControls(float clientWidth, float clientHeight, const ControlRects& current);

}  // namespace tarvo
