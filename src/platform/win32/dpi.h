#pragma once
// The DPI Tarvo draws at: per monitor where Windows tells it (Windows 10,
// version 1607, and later), the system's elsewhere. The newer functions are
// looked up at run time, so Tarvo.exe still starts on Windows 7.

#include <windows.h>

namespace tarvo::win32 {

UINT DpiOf(HWND window);
// The window rectangle around a client area, at that DPI.
void AdjustFrame(RECT& frame, DWORD style, DWORD exStyle, UINT dpi);

// WM_DPICHANGED: Windows 8.1 and later send it when the window's DPI changes.
inline constexpr UINT kDpiChanged = 0x02E0;

}  // namespace tarvo::win32
