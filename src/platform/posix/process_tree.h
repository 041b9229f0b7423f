#pragma once
// What a program Tarvo started leaves behind when it ends (the game a
// launcher script starts with "emu &" or "setsid emu &", a double-forked
// program) becomes Tarvo's child, once Tarvo is the reaper of its
// descendants; so Tarvo can wait for a game, not only for its launcher.

#include <sys/types.h>

#include <set>
#include <vector>

namespace tarvo::posix {

// From now on, what this process's descendants leave behind becomes its
// child instead of init's.
void BecomeReaperOfDescendants();

// This process's children that it did not start itself (posix::StartChild)
// and that are not in `known`: all that its descendants left behind. Its
// own session's children (a test's helpers) are not among them.
std::vector<pid_t> LeftBehind(const std::set<pid_t>& known);

}  // namespace tarvo::posix
