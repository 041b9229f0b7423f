#pragma once
#include "os/services.h"

namespace tarvo::posix {

// Starts the program detached (it outlives Tarvo and is never waited for),
// with the parameters as exactly one argument (none when empty), no shell,
// in the working folder. Failures to start, such as a missing file or one
// that may not be run, come back with the system's words.
StartResult StartDetached(const StartRequest& request);

}  // namespace tarvo::posix
