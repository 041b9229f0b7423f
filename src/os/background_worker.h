#pragma once
// Work that may wait (a picture on a slow share, a large decode) done on a
// thread beside the window's, one job at a time: a job asked for while
// another runs waits, and replaces any job already waiting, so only the
// newest is ever done next. Each result goes into a box, and wake (called
// on the worker's thread) asks the window's thread to take it. When the
// owner goes, the job under way finishes on its own and its result is
// dropped: nothing ever waits for it. A Context is made on the worker's
// thread when it starts and handed to each job (COM, a decoder factory).

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace tarvo {

struct NoContext {};

template <class Job, class Result, class Context = NoContext>
class BackgroundWorker {
public:
    using Work = std::function<Result(const Job&, Context&)>;
    // work runs on the worker's thread and must not touch the owner;
    // wake must only post a message to the window's thread.
    BackgroundWorker(Work work, std::function<void()> wake)
        : shared_(std::make_shared<Shared>()) {
        shared_->work = std::move(work);
        shared_->wake = std::move(wake);
    }
    ~BackgroundWorker() {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->owned = false;
        shared_->wake = nullptr;
        shared_->waiting.reset();
        shared_->changed.notify_one();
    }
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    void Ask(Job job) {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->waiting = std::move(job);
        if (!shared_->started) {  // the thread comes with the first job: a start pays nothing for it
            shared_->started = true;
            std::thread(Run, shared_).detach();
        }
        shared_->changed.notify_one();
    }

    // The result the worker handed over last, once.
    std::optional<Result> Take() {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        return std::exchange(shared_->result, std::nullopt);
    }

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        Work work;
        std::function<void()> wake;
        std::optional<Job> waiting;
        std::optional<Result> result;
        bool started = false, owned = true;
    };

    static void Run(std::shared_ptr<Shared> shared) {
        Context context;
        std::unique_lock<std::mutex> lock(shared->mutex);
        for (;;) {
            shared->changed.wait(lock, [&] { return shared->waiting || !shared->owned; });
            if (!shared->owned) return;
            const Job job = std::move(*shared->waiting);
            shared->waiting.reset();
            lock.unlock();
            Result result = shared->work(job, context);
            lock.lock();
            if (!shared->owned) return;
            shared->result = std::move(result);
            shared->wake();  // under the lock: the owner cannot go meanwhile
        }
    }

    std::shared_ptr<Shared> shared_;
};

}  // namespace tarvo
