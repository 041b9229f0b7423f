#include "process_watch.h"

#include <signal.h>
#include <unistd.h>

#include "launch/session_helpers.h"
#include "process_tree.h"

namespace tarvo {

ProcessWatch::ProcessWatch(bool pidfds) : pidfds_(pidfds) {
    askForEnds_.setInterval(kAskEndsEveryMs);
    connect(&askForEnds_, &QTimer::timeout, this, [this] { AskForEnds(); });
}

void ProcessWatch::Watch(posix::Child program, const std::set<pid_t>& before, std::function<void(int status)> ended) {
    const auto watched = std::make_shared<Program>(Program{std::move(ended), program.pid});
    Add(std::move(program), watched);
    // Already left behind: the game's own (a launcher that ended at once),
    // but for what was Tarvo's before it began.
    Adopt(watched, before);
}

void ProcessWatch::Add(posix::Child child, const std::shared_ptr<Program>& program) {
    const pid_t pid = child.pid;
    if (!pidfds_) child.pidfd.reset();
    std::unique_ptr<QSocketNotifier> notifier;
    if (child.pidfd) {
        notifier = std::make_unique<QSocketNotifier>(child.pidfd.get(), QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, [this, pid] {
            if (posix::Reap(processes_.at(pid).child)) Ended(pid);
        });
    } else {
        askForEnds_.start();
    }
    if (program) ++program->running;
    if (program && program->signalSent) Send(pid, program->signalSent);
    processes_[pid] = Process{std::move(child), program, std::move(notifier)};
}

void ProcessWatch::AskForEnds() {
    std::vector<pid_t> ended;
    for (auto& [pid, process] : processes_) {
        if (!process.notifier && posix::Reap(process.child, false)) ended.push_back(pid);
    }
    for (const pid_t pid : ended) Ended(pid);
    const bool asking = std::any_of(processes_.begin(), processes_.end(), [](const auto& p) { return !p.second.notifier; });
    if (!asking) askForEnds_.stop();
}

void ProcessWatch::Ended(pid_t pid) {
    const auto it = processes_.find(pid);
    if (it == processes_.end()) return;
    Process process = std::move(it->second);
    processes_.erase(it);
    process.notifier.reset();  // its pidfd is closed: nothing may watch it while ended() runs
    // Left behind just now: the ended process's own; they count with it.
    Adopt(process.program, {});
    if (!process.program) return;
    if (pid == process.program->root) process.program->rootStatus = process.child.status;
    if (--process.program->running == 0 && process.program->ended) process.program->ended(process.program->rootStatus);
}

void ProcessWatch::Send(pid_t pid, int signal) {
    // What it started in sessions of their own first, while they are still
    // below it; then, not yet reaped, its id and its group's are its own.
    for (const pid_t descendant : posix::DescendantsOf(pid)) kill(descendant, signal);
    kill(pid, signal);
    if (getpgid(pid) == pid) kill(-pid, signal);
}

void ProcessWatch::SignalAll(int signal) {
    for (const auto& [pid, process] : processes_) {
        if (!process.program) continue;
        Send(pid, signal);
        process.program->signalSent = signal;
    }
}

void ProcessWatch::Adopt(const std::shared_ptr<Program>& program, const std::set<pid_t>& before) {
    std::set<pid_t> known;
    for (const auto& entry : processes_) known.insert(entry.first);
    for (const pid_t pid : posix::LeftBehind(known)) {
        const bool counts = program && !before.count(pid) && !OutlivesGamesByDesign(posix::ProgramNameOf(pid));
        Add(posix::ChildOf(pid), counts ? program : nullptr);
    }
}

}  // namespace tarvo
