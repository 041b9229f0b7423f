#pragma once
// Tarvo's run on Windows: the window made, loaded, shown, and driven until
// it closes.

#include "os/host.h"
#include "windows_parts.h"

namespace tarvo::win32 {

// What wWinMain returns: 0 when Tarvo ran (or ended as its start-up says),
// 1 when the system would not make its window, or the message window that
// brings news back to it.
int Run(const Host& host, WindowsParts& parts);

}  // namespace tarvo::win32
