#pragma once
// The programs Tarvo started, each with all it starts, watched without
// polling: each process's pidfd wakes the event loop when it ends; it is
// reaped at once, and what it left behind (a launcher's game, a script's
// background program, which Tarvo as their reaper now holds) is watched in
// its place. A program has ended when the last of its processes has.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <map>
#include <memory>

#include "posix_start.h"

namespace tarvo {

class ProcessWatch : public QObject {
public:
    // Watches a started program, which must have a pidfd; ended() once it
    // and all it left behind have ended.
    void Watch(posix::Child program, std::function<void()> ended);
    // Watches what a program Tarvo waited for itself (winepath) left
    // behind, so that it is reaped too.
    void WatchLeftBehind() { Adopt(nullptr); }

private:
    struct Program {
        std::function<void()> ended;
        int running = 0;
    };
    struct Process {
        posix::Child child;
        std::shared_ptr<Program> program;  // none for a helper's
        std::unique_ptr<QSocketNotifier> notifier;
    };
    void Add(posix::Child child, const std::shared_ptr<Program>& program);
    void Ended(pid_t pid);
    // What ended processes left behind, now Tarvo's, counted with program.
    void Adopt(const std::shared_ptr<Program>& program);

    std::map<pid_t, Process> processes_;
};

}  // namespace tarvo
