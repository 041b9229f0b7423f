#pragma once
#include <optional>
#include <string>
#include <vector>

#include "os/services.h"

namespace tarvo::posix {

// Starts the program detached (it outlives Tarvo and is never waited for),
// with exactly these arguments, no shell, in the working folder. Failures
// to start, such as a missing file or one that may not be run, come back
// with the system's words.
StartResult StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder);

// Runs a program to its end; what it wrote, or nothing when it failed.
std::optional<std::string> OutputOf(const std::string& program, const std::vector<std::string>& arguments);

// The program of that name in a folder of PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace tarvo::posix
