#pragma once
// Play on Qt: a push button whose focus always shows. Styles draw the
// default button as they draw a focused one, and Play is always the
// default, so without this a keyboard user cannot tell where the focus is.

#include <QPushButton>

namespace tarvo {

class PlayButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvo
