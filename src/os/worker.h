#pragma once
// The one way Tarvo waits: a thread beside the window's that does one job
// at a time (a folder on a share, a picture to decode, a program to start
// or ask) and hands what it finds back to the window's thread. The thread
// comes with a job and goes once no job waits, so an idle worker costs
// nothing.
//
// Its owner ends it: when the worker goes, the job under way is cancelled,
// the waiting ones are dropped, nothing more reaches the window's thread,
// and the thread is waited for, at most kMostWaitMs. A thread the system
// holds longer (a listing of a share that hangs) is abandoned: the process
// must then end without returning from main (FinishProcess), so that
// nothing ever runs after main.

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "os/cancel.h"
#include "os/window_thread.h"

namespace tarvo {

class Worker {
public:
    static constexpr int kMostWaitMs = 500;

    // What a job sees beside the window's thread.
    class Job : public Cancellable {
    public:
        // A later job superseded this one, or the worker is going.
        bool Cancelled() const override;
        // call runs on the window's thread, unless by then the job has been
        // cancelled or its worker has gone.
        void Post(std::function<void()> call) const;

    private:
        friend class Worker;
        struct Shared;
        Job(std::shared_ptr<Shared> shared, std::uint64_t generation) : shared_(std::move(shared)), generation_(generation) {}
        std::shared_ptr<Shared> shared_;
        std::uint64_t generation_;
    };
    using Work = std::function<void(Job& job)>;

    explicit Worker(WindowThread& window);
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Does work beside the window's thread after the jobs asked before it;
    // superseding, the job under way is cancelled and the waiting ones are
    // dropped first (only the newest counts).
    void Run(Work work, bool superseding);

private:
    static void Loop(const std::shared_ptr<Job::Shared>& shared);

    std::shared_ptr<Job::Shared> shared_;
    std::thread thread_;
};

// Threads that had to be abandoned to the system (above).
int AbandonedThreads();
// What main returns: the code, or, when a thread was abandoned, the
// process ends here with it, running nothing after main.
int FinishProcess(int code);

}  // namespace tarvo
