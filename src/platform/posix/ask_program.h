#pragma once
// Asking a program for what it prints. It blocks: it is for a thread of
// its own, beside the window's.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::posix {

// Starts the program in the folder, standard input from /dev/null and
// standard output through a pipe, and reads until it ends (not until the
// pipe closes: what it leaves running, Wine's server say, may hold it
// open). Its output; nothing when it could not start, exited other than
// with 0, printed more than mostBytes, took longer than mostMilliseconds or
// cancelFd became readable first: it is then killed. It is always reaped.
std::optional<std::string> AskProgram(const std::string& program, const std::vector<std::string>& arguments,
                                      const std::string& folder, std::size_t mostBytes, int mostMilliseconds,
                                      int cancelFd);

}  // namespace tarvo::posix
