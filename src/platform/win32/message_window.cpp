#include "message_window.h"

namespace tarvo::win32 {

namespace {
const wchar_t kClassName[] = L"Tarvo.MessageWindow";
}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    SetLastError(ERROR_SUCCESS);  // that failure is not the window's
    hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    } else {
        creationError_ = GetLastError();
    }
}

MessageWindow::~MessageWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message >= WM_APP) {
        self->handler_(message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
