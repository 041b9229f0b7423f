#include "play_button.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tarvo {

void PlayButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.state |= QStyle::State_KeyboardFocusChange;  // as after Tab, whatever moved the focus
    focus.rect = rect().adjusted(4, 4, -4, -4);
    focus.backgroundColor = palette().color(QPalette::Button);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

}  // namespace tarvo
