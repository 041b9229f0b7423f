#pragma once
// Qt's keys bound to the core's, both ways.

#include <QKeyEvent>

#include "ui/keys.h"

namespace tarvo {

// The core's key a press stands for (Ctrl+F: F3, the find line); Key::Other
// for one the core does not act on.
Key CoreKey(const QKeyEvent& event);
// The Qt key that a core key moving in the list is.
Qt::Key QtKey(Key key);

}  // namespace tarvo
