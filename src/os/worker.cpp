#include "os/worker.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <limits>
#include <mutex>

namespace tarvo {

namespace {

std::atomic<int> g_abandoned{0};

}  // namespace

struct Worker::Job::Shared {
    std::mutex mutex;
    std::condition_variable finished;  // the thread has ended
    std::deque<std::pair<std::uint64_t, Work>> waiting;  // by generation
    WindowThread* window;                                // none once the worker has gone
    std::uint64_t nextGeneration = 0;
    std::atomic<std::uint64_t> cancelledBelow{0};  // jobs of an earlier generation are cancelled
    bool going = false, ended = false;
    bool alive = true;  // the window's thread's own: its posted calls check it there
    std::thread::id windowThread;

    bool CancelledAt(std::uint64_t generation) const { return generation < cancelledBelow.load(); }
};

void Worker::Loop(const std::shared_ptr<Job::Shared>& shared) {
    std::unique_lock<std::mutex> lock(shared->mutex);
    // Until nothing waits: an idle thread would hold its stack for nothing
    // (a megabyte each under Wine), and the next job brings another.
    while (!shared->going && !shared->waiting.empty()) {
        auto [generation, work] = std::move(shared->waiting.front());
        shared->waiting.pop_front();
        lock.unlock();
        if (!shared->CancelledAt(generation)) {
            Job job(shared, generation);
            work(job);
        }
        work = nullptr;  // what it held goes here, beside the window's thread, not under the lock
        lock.lock();
    }
    shared->ended = true;
    shared->finished.notify_all();
}

bool Worker::Job::Cancelled() const { return shared_->CancelledAt(generation_); }

void Worker::Job::Post(std::function<void()> call) const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (!shared_->window || Cancelled()) return;
    shared_->window->Post([shared = shared_, generation = generation_, call = std::move(call)] {
        // A listener is the window's, never locked: news told on another
        // thread would race with everything it touches.
        if (std::this_thread::get_id() != shared->windowThread) {
            std::fputs("tarvo: a worker's news came on a thread other than the window's\n", stderr);
            std::abort();
        }
        if (shared->alive && !shared->CancelledAt(generation)) call();
    });
}

Worker::Worker(WindowThread& window) : shared_(std::make_shared<Job::Shared>()) {
    shared_->window = &window;
    shared_->windowThread = window.Thread();  // a worker may be made beside it (a game's output)
}

Worker::~Worker() {
    {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->going = true;
        shared_->cancelledBelow = std::numeric_limits<std::uint64_t>::max();
        shared_->waiting.clear();
        shared_->window = nullptr;
    }
    shared_->alive = false;
    if (!thread_.joinable()) return;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (shared_->finished.wait_for(lock, std::chrono::milliseconds(kMostWaitMs), [&] { return shared_->ended; })) {
        lock.unlock();
        thread_.join();
        return;
    }
    // Held by the system (a share that hangs): it holds nothing of the
    // owner's, and the process ends before it could run past main.
    thread_.detach();
    ++g_abandoned;
}

void Worker::Run(Work work, bool superseding) {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (superseding) {
        shared_->cancelledBelow = shared_->nextGeneration;
        shared_->waiting.clear();
    }
    shared_->waiting.emplace_back(shared_->nextGeneration++, std::move(work));
    if (thread_.joinable() && !shared_->ended) return;  // it takes this one after the one under way
    if (thread_.joinable()) thread_.join();  // it has let go of the lock and only returns
    shared_->ended = false;
    thread_ = std::thread(Loop, shared_);
}

int AbandonedThreads() { return g_abandoned.load(); }

int FinishProcess(int code) {
    if (AbandonedThreads() == 0) return code;
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace tarvo
