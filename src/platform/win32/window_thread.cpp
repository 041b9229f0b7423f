#include "window_thread.h"

namespace tarvo::win32 {

Win32WindowThread::Win32WindowThread() : window_([this](UINT, WPARAM, LPARAM) { Run(); }) {}

void Win32WindowThread::Post(std::function<void()> call) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
    // One message for all that gathers before it is read; a queue that is
    // full now is asked again at the next call.
    if (!asked_ && Created()) asked_ = PostMessageW(window_.Handle(), WM_APP, 0, 0) != FALSE;
}

void Win32WindowThread::Run() {
    std::deque<std::function<void()>> calls;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        calls.swap(calls_);
        asked_ = false;
    }
    for (auto& call : calls) call();
}

}  // namespace tarvo::win32
