#include "process_watch.h"

#include "process_tree.h"

namespace tarvo {

void ProcessWatch::Watch(posix::Child program, std::function<void()> ended) {
    Add(std::move(program), std::make_shared<Program>(Program{std::move(ended)}));
}

void ProcessWatch::Add(posix::Child child, const std::shared_ptr<Program>& program) {
    const pid_t pid = child.pid;
    auto notifier = std::make_unique<QSocketNotifier>(child.pidfd.get(), QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, pid] { Ended(pid); });
    if (program) ++program->running;
    processes_[pid] = Process{std::move(child), program, std::move(notifier)};
}

void ProcessWatch::Ended(pid_t pid) {
    const auto it = processes_.find(pid);
    if (it == processes_.end()) return;
    Process process = std::move(it->second);
    processes_.erase(it);
    process.notifier.reset();
    posix::Reap(process.child);
    // Left behind just now: the ended process's own; they count with it.
    Adopt(process.program);
    if (process.program && --process.program->running == 0 && process.program->ended) process.program->ended();
}

void ProcessWatch::Adopt(const std::shared_ptr<Program>& program) {
    std::set<pid_t> known;
    for (const auto& entry : processes_) known.insert(entry.first);
    for (const pid_t pid : posix::LeftBehind(known)) {
        posix::Child child = posix::ChildOf(pid);
        if (child.pidfd) Add(std::move(child), program);
    }
}

}  // namespace tarvo
