#pragma once
// Starting programs on Linux: no shell, arguments exactly as given.

#include <sys/types.h>

#include <string>
#include <vector>

#include "os/services.h"
#include "owned.h"

namespace tarvo::posix {

// A program Tarvo started, or one it was left. Its pidfd becomes readable
// when it ends; it is reaped then (Reap), so it never lingers as a zombie.
struct Child {
    pid_t pid = -1;
    UniqueFd pidfd;  // empty where the system has no pidfds: a thread reaps it
};

// The child of that process id, with its pidfd (empty when it has none).
Child ChildOf(pid_t pid);

// Starts the program in a session of its own, so it outlives Tarvo and a
// closing terminal, with exactly these arguments, in the working folder;
// its standard output goes to outputFd when one is given, and its
// standard input then comes from /dev/null. A failure to
// start (a missing file, one that may not be run) comes back with the
// system's words.
StartResult StartChild(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder, Child& child, int outputFd = -1);

// Collects an ended child; true when it exited with status 0.
bool Reap(Child& child);
// Whether the process is one that StartChild started and that is not yet
// reaped.
bool StartedHere(pid_t pid);

// The program of that name in a folder of PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace tarvo::posix
