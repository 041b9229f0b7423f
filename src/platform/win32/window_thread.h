#pragma once
// The way back to the window's thread on Win32: one message-only window;
// calls posted from other threads wait in a queue, and one message at a
// time asks the window's thread to run them.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

#include "message_window.h"
#include "os/window_thread.h"

namespace tarvo::win32 {

class Win32WindowThread : public WindowThread {
public:
    Win32WindowThread();
    // False when the system would not make the message window: then
    // nothing posted would ever reach the window's thread, and Tarvo must
    // not run. CreationError tells why.
    bool Created() const { return window_.Handle() != nullptr; }
    DWORD CreationError() const { return window_.CreationError(); }
    void Post(std::function<void()> call) override;

private:
    void Run();

    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
    bool asked_ = false;  // a message is on its way
    MessageWindow window_;  // last: goes first
};

}  // namespace tarvo::win32
