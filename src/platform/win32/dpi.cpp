#include "dpi.h"

#include "owned.h"

namespace tarvo::win32 {

namespace {

template <class Function>
Function FromUser32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

UINT DpiOf(HWND window) {
    static const auto perMonitor = FromUser32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (perMonitor) return perMonitor(window);
    return static_cast<UINT>(GetDeviceCaps(ScreenDc().get(), LOGPIXELSX));
}

void AdjustFrame(RECT& frame, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto forDpi = FromUser32<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (forDpi) {
        forDpi(&frame, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);  // at the system's DPI, which is the window's there
    }
}

}  // namespace tarvo::win32
