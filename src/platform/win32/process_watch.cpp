#include "process_watch.h"

namespace tarvo::win32 {

namespace {
constexpr ULONG_PTR kStop = 0;  // no job's key
}  // namespace

ProcessWatch::ProcessWatch(WindowThread& window)
    : window_(window), self_(std::make_shared<ProcessWatch*>(this)), port_(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {}

ProcessWatch::~ProcessWatch() {
    *self_ = nullptr;
    watched_.clear();  // the waits end before anything they use
    if (listener_.joinable()) {
        PostQueuedCompletionStatus(port_.get(), 0, kStop, nullptr);
        listener_.join();
    }
}

void ProcessWatch::Listen() {
    listener_ = std::thread([this, port = port_.get()] {
        DWORD report = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* detail = nullptr;
        while (GetQueuedCompletionStatus(port, &report, &key, &detail, INFINITE) && key != kStop) {
            if (report == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) Tell(key);
        }
    });
}

void ProcessWatch::Tell(ULONG_PTR key) {
    window_.Post([self = self_, key] {
        if (*self) (*self)->Ended(key);
    });
}

// A job of the process's own that reports to the port when it empties. A
// program that wants out of it (CREATE_BREAKAWAY_FROM_JOB) may leave.
UniqueHandle ProcessWatch::JobFor(HANDLE process, ULONG_PTR& key) {
    if (!port_) return nullptr;
    std::call_once(listening_, [this] { Listen(); });
    key = nextKey_++;
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT reports{reinterpret_cast<void*>(key), port_.get()};
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    if (!job || !SetInformationJobObject(job.get(), JobObjectAssociateCompletionPortInformation, &reports, sizeof reports) ||
        !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job.get(), process)) {
        return nullptr;
    }
    return job;
}

bool ProcessWatch::Watch(UniqueHandle process, UniqueHandle job, ULONG_PTR key, std::function<void(DWORD exitCode)> ended) {
    if (!job) key = nextKey_++;
    Watched& watched = watched_[key] = Watched{this, key, std::move(process), std::move(job), std::move(ended), nullptr};
    if (watched.job) {
        if (endedEarly_.erase(key)) Ended(key);
        return true;
    }
    HANDLE wait = nullptr;
    if (!RegisterWaitForSingleObject(&wait, watched.process.get(), OnEnd, &watched, INFINITE, WT_EXECUTEONLYONCE)) {
        watched_.erase(key);
        return false;
    }
    watched.wait.reset(wait);
    return true;
}

void CALLBACK ProcessWatch::OnEnd(void* context, BOOLEAN) {
    // A thread of the pool: only a word, to the window's thread. The wait
    // is ended before what it watches goes.
    const auto* watched = static_cast<const Watched*>(context);
    watched->owner->Tell(watched->key);
}

void ProcessWatch::Ended(ULONG_PTR key) {
    const auto it = watched_.find(key);
    if (it == watched_.end()) {
        endedEarly_.insert(key);
        return;
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(it->second.process.get(), &exitCode)) exitCode = 0;
    const std::function<void(DWORD)> ended = std::move(it->second.ended);
    watched_.erase(it);
    ended(exitCode);
}

void ProcessWatch::EndAll(bool forced) {
    std::set<DWORD> processes;
    for (const auto& [key, watched] : watched_) {
        if (forced) {
            if (watched.job) {
                TerminateJobObject(watched.job.get(), 1);
            } else {
                TerminateProcess(watched.process.get(), 1);
            }
            continue;
        }
        for (const DWORD id : ProcessesOf(watched)) processes.insert(id);
    }
    if (processes.empty()) return;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // Its main windows, as a click on their close box would close them.
            if (reinterpret_cast<const std::set<DWORD>*>(context)->count(process) && IsWindowVisible(window) &&
                !GetWindow(window, GW_OWNER)) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&processes));
}

std::vector<DWORD> ProcessWatch::ProcessesOf(const Watched& watched) {
    if (!watched.job) return {GetProcessId(watched.process.get())};
    // Room for as many as a game starts; more than that, and the first are asked.
    constexpr DWORD kMost = 256;
    std::vector<char> buffer(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + kMost * sizeof(ULONG_PTR));
    auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
    if (!QueryInformationJobObject(watched.job.get(), JobObjectBasicProcessIdList, list, static_cast<DWORD>(buffer.size()),
                                   nullptr) &&
        GetLastError() != ERROR_MORE_DATA) {
        return {};
    }
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < list->NumberOfProcessIdsInList; ++i) ids.push_back(static_cast<DWORD>(list->ProcessIdList[i]));
    return ids;
}

}  // namespace tarvo::win32
