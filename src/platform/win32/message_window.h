#pragma once
// A message-only window whose messages go to a handler: how news from
// another thread (a worker, the thread pool) reaches the window's thread.

#include <windows.h>

#include <functional>

namespace tarvo::win32 {

class MessageWindow {
public:
    using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;
    explicit MessageWindow(Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // Null when the system would not make it; then why (0: it gave no reason).
    HWND Handle() const { return hwnd_; }
    DWORD CreationError() const { return creationError_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND hwnd_ = nullptr;
    DWORD creationError_ = ERROR_SUCCESS;
};

}  // namespace tarvo::win32
