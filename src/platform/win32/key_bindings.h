#pragma once
// Windows' virtual keys bound to the core's, both ways.

#include <windows.h>

#include "ui/keys.h"

namespace tarvo::win32 {

// The core's key a key press stands for (Ctrl+F: F3, the find line).
Key CoreKey(WPARAM virtualKey, bool control);
// The virtual key that a core key moving in the list is.
WPARAM VirtualKey(Key key);

}  // namespace tarvo::win32
