#pragma once
// Starting programs on Linux: no shell, arguments exactly as given.

#include <sys/types.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "os/programs.h"
#include "owned.h"

namespace tarvo::posix {

// A program Tarvo started, or one it was left. Its pidfd becomes readable
// when it ends; it is reaped then (Reap), so it never lingers as a zombie.
struct Child {
    pid_t pid = -1;
    UniqueFd pidfd;  // empty where the system has no pidfds: its end is asked for now and then
    int status = 0;  // as waitpid told it, once reaped
};

// The child of that process id, with its pidfd (empty when it has none).
Child ChildOf(pid_t pid);

// Where a child's standard streams go, other than where Tarvo's do.
struct Streams {
    int output = -1, error = -1;  // descriptors, or -1: Tarvo's own
    bool asked = false;           // a program asked, not played: input from /dev/null, complaints into it
};

// Starts the program in a session of its own, so it outlives Tarvo and a
// closing terminal, with exactly these arguments, in the working folder,
// its streams as asked. A failure to start (a missing file, one that may
// not be run) comes back with the system's words.
StartResult StartChild(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder, Child& child, const Streams& streams = {});

// Collects the child: waiting for its end, or only when it has ended
// already; true when it was collected (its status then told).
bool Reap(Child& child, bool wait = true);
// Whether a child collected exited with status 0.
inline bool ExitedWell(const Child& child) { return WIFEXITED(child.status) && WEXITSTATUS(child.status) == 0; }
// Whether the process is one that StartChild started and that is not yet
// reaped.
bool StartedHere(pid_t pid);
// A child Tarvo made itself, counted as StartChild's.
void NoteStartedHere(pid_t pid);

// In a process just forked from Tarvo: closes every descriptor but the
// standard ones and those kept, so that nothing of Tarvo's (its lock, its
// sockets, another game's pipes) stays held by it. Only what is safe there.
void KeepOnly(int kept[], int count);

// The program of that name in a folder of PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace tarvo::posix
