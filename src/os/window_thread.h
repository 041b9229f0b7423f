#pragma once
// The one thing each front end supplies for waiting: a way back to the
// window's thread (Qt: a queued call; Win32: a message window). Work done
// beside the window's thread (a Worker) hands its findings back through it,
// and the core, single-threaded, takes them there.

#include <functional>
#include <thread>

namespace tarvo {

class WindowThread {
public:
    virtual ~WindowThread() = default;
    // From any thread: call runs on the window's thread, from its event
    // loop, after the calls posted before it. Calls still waiting when this
    // goes are dropped.
    virtual void Post(std::function<void()> call) = 0;
    // The window's thread: the one this was made on.
    std::thread::id Thread() const { return thread_; }

private:
    std::thread::id thread_ = std::this_thread::get_id();
};

}  // namespace tarvo
