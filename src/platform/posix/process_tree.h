#pragma once
// What a program Tarvo started leaves behind when it ends (the game a
// launcher script starts with "emu &" or "setsid emu &", a double-forked
// program) becomes Tarvo's child, once Tarvo is the reaper of its
// descendants; so Tarvo can wait for a game, not only for its launcher.

#include <sys/types.h>

#include <set>
#include <string>
#include <vector>

namespace tarvo::posix {

// From now on, what this process's descendants leave behind becomes its
// child instead of init's.
void BecomeReaperOfDescendants();

// This process's children that it did not start itself (posix::StartChild)
// and that are not in `known`: all that its descendants left behind. Its
// own session's children (a test's helpers) are not among them.
std::vector<pid_t> LeftBehind(const std::set<pid_t>& known);

// All this process's children now, its own session's too.
std::set<pid_t> ChildrenNow();

// A process's children, theirs and so on, as they are now: sessions of
// their own included, which its process group does not hold.
std::vector<pid_t> DescendantsOf(pid_t pid);

// A process's name as the system keeps it (at most 15 bytes); empty when
// it is gone.
std::string ProgramNameOf(pid_t pid);

}  // namespace tarvo::posix
