#pragma once
// The programs Tarvo started, each with all it starts: each process's
// pidfd wakes the event loop when it ends (without pidfds, as on Linux
// before 5.3, ends are asked for a few times a second); it is reaped at
// once, and what it left behind (a launcher's game, a script's background
// program, which Tarvo as their reaper now holds) is watched in its place.
// A program has ended when the last of its processes has, not counting the
// helpers that outlive games by design, nor what Tarvo itself had started
// before it: those are only reaped when they end.

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "posix_start.h"

namespace tarvo {

class ProcessWatch : public QObject {
public:
    explicit ProcessWatch(bool pidfds = true);

    // Watches a started program; ended() once it and all it left behind
    // have ended, with the program's own exit status (as waitpid tells it).
    // Tarvo's children before it started are not its.
    void Watch(posix::Child program, const std::set<pid_t>& before, std::function<void(int status)> ended);
    // Sends every process of the programs watched the signal, and each
    // process group they lead (what a process still running started); what
    // they leave behind later gets it too.
    void SignalAll(int signal);
    // Watches what ended programs left behind (a question's), only to reap it.
    void WatchLeftBehind() { Adopt(nullptr, {}); }

    static constexpr int kAskEndsEveryMs = 250;

private:
    struct Program {
        std::function<void(int status)> ended;
        pid_t root;
        int running = 0;
        int rootStatus = 0;
        int signalSent = 0;  // asked to end by it, or 0
    };
    static void Send(pid_t pid, int signal);
    struct Process {
        posix::Child child;
        std::shared_ptr<Program> program;  // none for a helper's
        std::unique_ptr<QSocketNotifier> notifier;
    };
    void Add(posix::Child child, const std::shared_ptr<Program>& program);
    void Ended(pid_t pid);
    // What ended processes left behind, now Tarvo's: counted with program,
    // but for the helpers and the ones already Tarvo's before it.
    void Adopt(const std::shared_ptr<Program>& program, const std::set<pid_t>& before);
    void AskForEnds();

    std::map<pid_t, Process> processes_;
    bool pidfds_;
    QTimer askForEnds_;
};

}  // namespace tarvo
