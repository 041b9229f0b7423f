#pragma once
// The programs Tarvo started, each with all it starts, watched without
// polling: each goes into a job of its own, made as it starts, whose
// completion port reports when no process of it is left (a launcher's game
// included); where no job can be had (Windows 7, when Tarvo itself runs in
// a job), its process handle is waited on instead. Ends come back to the
// window's thread and are told from there.

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "os/window_thread.h"
#include "owned.h"

namespace tarvo::win32 {

class ProcessWatch {
public:
    explicit ProcessWatch(WindowThread& window);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Beside the window's thread, as soon as the process is there: a job of
    // its own that tells the watch its end under key; none where no job can
    // be had.
    UniqueHandle JobFor(HANDLE process, ULONG_PTR& key);
    // On the window's thread: ended() with the process's exit code once the
    // job is empty, or, without a job, once the process has ended. False
    // when it cannot be waited on.
    bool Watch(UniqueHandle process, UniqueHandle job, ULONG_PTR key, std::function<void(DWORD exitCode)> ended);
    // On the window's thread: asks what is watched to close (WM_CLOSE to
    // the visible main windows of the processes in each job) or, forced,
    // ends it at once.
    void EndAll(bool forced);

private:
    struct Watched {
        ProcessWatch* owner;
        ULONG_PTR key;
        UniqueHandle process, job;
        std::function<void(DWORD exitCode)> ended;
        UniqueWait wait;  // after the process: goes first
    };
    // The ids of the processes in its job, or its own.
    static std::vector<DWORD> ProcessesOf(const Watched& watched);
    void Listen();
    // From any thread: the end of what was watched under key, to the window's thread.
    void Tell(ULONG_PTR key);
    void Ended(ULONG_PTR key);
    static void CALLBACK OnEnd(void* key, BOOLEAN timedOut);

    WindowThread& window_;
    std::shared_ptr<ProcessWatch*> self_;  // for what comes back: none once this has gone
    UniqueHandle port_;                    // the jobs' reports, read by listener_
    std::once_flag listening_;
    std::thread listener_;
    std::atomic<ULONG_PTR> nextKey_{1};
    std::map<ULONG_PTR, Watched> watched_;
    std::set<ULONG_PTR> endedEarly_;  // before they were watched: a launcher that ended at once
};

}  // namespace tarvo::win32
