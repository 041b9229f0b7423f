#pragma once
// Asking a program for what it prints. It blocks: it is for a thread
// beside the window's.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "os/cancel.h"

namespace tarvo::posix {

// Starts the program in the folder, in a session of its own, standard
// input from /dev/null and standard output through a pipe, hands on what
// it prints as it comes, and reads until it ends (not until the pipe
// closes: what it leaves running, Wine's server say, may hold it open).
// True when it ran to its end and exited with 0. It is ended, and all
// its session with it, when it prints more than mostBytes, takes longer
// than mostMilliseconds or is cancelled; it is always reaped.
bool AskProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                std::size_t mostBytes, int mostMilliseconds, const std::function<void(std::string_view)>& output,
                const Cancellable& cancel);

}  // namespace tarvo::posix
