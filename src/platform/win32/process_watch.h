#pragma once
// The programs Tarvo started, each with all it starts, watched without
// polling: each goes into a job of its own, whose completion port reports
// when no process of it is left (a launcher's game included); where no job
// can be had (Windows 7, when Tarvo itself runs in a job), its process
// handle is waited on instead. Ends come back to the window's thread as
// messages and are reported from there.

#include <windows.h>

#include <functional>
#include <list>
#include <memory>
#include <thread>

#include "message_window.h"
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
        HWND window;           // where its end goes
        UniqueHandle job;      // its processes, or none
        UniqueHandle process;  // waited on where there is no job
        UniqueWait wait;       // after the process: goes first
    };
    bool Prepare();
    bool PutInJob(Watched& watched);
    static void CALLBACK OnEnd(void* watched, BOOLEAN timedOut);
    void Ended(const Watched* watched);

    std::function<void()> ended_;
    std::unique_ptr<MessageWindow> window_;  // made at the first start
    UniqueHandle port_;                      // the jobs' reports, read by listener_
    std::thread listener_;
    std::list<Watched> watched_;
};

}  // namespace tarvo::win32
