#include "ui/layout.h"

#include <cmath>

namespace tarvo {

namespace {

Rect MoveUnlessNegative(const Rect& current, const Rect& wanted) {
    return (wanted.width < 0 || wanted.height < 0) ? current : wanted;
}

// A third of the width, after rounding the width half to even.
float ListWidth(float clientWidth) {
    const double whole = std::nearbyint(static_cast<double>(clientWidth));  // default mode: half to even
    return static_cast<float>(static_cast<long long>(whole) / 3);
}

}  // namespace

ControlRects LayoutControls(float clientWidth, float clientHeight, const ControlRects& current) {
    ControlRects next = current;
    const float listWidth = ListWidth(clientWidth);
    next.list1 = MoveUnlessNegative(current.list1, {0, 0, listWidth, clientHeight});
    next.image1 = MoveUnlessNegative(
        current.image1,
        {next.list1.width, 0, clientWidth - next.list1.width, next.list1.height - current.command1.height});
    next.command1 = MoveUnlessNegative(
        current.command1, {next.list1.width, next.image1.height, next.image1.width, current.command1.height});
    return next;
}

}  // namespace tarvo
