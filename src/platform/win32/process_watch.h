#pragma once
// The programs Tarvo started, each waited on through its process handle by
// the system's thread pool, without polling; an end comes back to the
// window's thread as a message and is reported from there.

#include <windows.h>

#include <functional>
#include <list>

#include "owned.h"

namespace tarvo::win32 {

class ProcessWatch {
public:
    explicit ProcessWatch(std::function<void()> ended) : ended_(std::move(ended)) {}
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // False when the process cannot be waited on; its end then goes unheard.
    bool Watch(UniqueHandle process);

private:
    struct Watched {
        HWND window;
        UniqueHandle process;
        UniqueWait wait;  // after the process: goes first
    };
    static void CALLBACK OnEnd(void* watched, BOOLEAN timedOut);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Ended(const Watched* watched);

    std::function<void()> ended_;
    HWND window_ = nullptr;  // message-only, made at the first start
    std::list<Watched> watched_;
};

}  // namespace tarvo::win32
