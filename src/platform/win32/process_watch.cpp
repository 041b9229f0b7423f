#include "process_watch.h"

namespace tarvo::win32 {

namespace {
constexpr UINT kEnded = WM_APP;
constexpr ULONG_PTR kStop = 0;  // no job's key
}  // namespace

ProcessWatch::~ProcessWatch() {
    watched_.clear();  // the waits end before the window their ends go to
    if (listener_.joinable()) {
        PostQueuedCompletionStatus(port_.get(), 0, kStop, nullptr);
        listener_.join();
    }
}

bool ProcessWatch::Prepare() {
    if (window_) return window_->Handle() != nullptr;
    window_ = std::make_unique<MessageWindow>([this](UINT, WPARAM, LPARAM watched) {
        Ended(reinterpret_cast<const Watched*>(watched));
    });
    if (!window_->Handle()) return false;
    port_.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    if (port_) {
        listener_ = std::thread([port = port_.get(), window = window_->Handle()] {
            DWORD report = 0;
            ULONG_PTR key = 0;
            OVERLAPPED* detail = nullptr;
            while (GetQueuedCompletionStatus(port, &report, &key, &detail, INFINITE) && key != kStop) {
                if (report == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) PostMessageW(window, kEnded, 0, static_cast<LPARAM>(key));
            }
        });
    }
    return true;
}

// A job of the process's own that reports to the port when it empties. A
// program that wants out of it (CREATE_BREAKAWAY_FROM_JOB) may leave.
bool ProcessWatch::PutInJob(Watched& watched) {
    UniqueHandle job(port_ ? CreateJobObjectW(nullptr, nullptr) : nullptr);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT reports{&watched, port_.get()};
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    if (!job || !SetInformationJobObject(job.get(), JobObjectAssociateCompletionPortInformation, &reports, sizeof reports) ||
        !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job.get(), watched.process.get())) {
        return false;
    }
    watched.job = std::move(job);
    return true;
}

bool ProcessWatch::Watch(UniqueHandle process) {
    if (!Prepare()) return false;
    Watched& watched = watched_.emplace_back(Watched{window_->Handle(), nullptr, std::move(process), nullptr});
    if (PutInJob(watched)) return true;
    HANDLE wait = nullptr;
    if (!RegisterWaitForSingleObject(&wait, watched.process.get(), OnEnd, &watched, INFINITE, WT_EXECUTEONLYONCE)) {
        watched_.pop_back();
        return false;
    }
    watched.wait.reset(wait);
    return true;
}

void CALLBACK ProcessWatch::OnEnd(void* watched, BOOLEAN) {
    // A thread of the pool: only a message, to the window's thread.
    PostMessageW(static_cast<Watched*>(watched)->window, kEnded, 0, reinterpret_cast<LPARAM>(watched));
}

void ProcessWatch::Ended(const Watched* watched) {
    for (auto it = watched_.begin(); it != watched_.end(); ++it) {
        if (&*it != watched) continue;
        watched_.erase(it);
        ended_();
        return;
    }
}

}  // namespace tarvo::win32
