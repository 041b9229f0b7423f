#pragma once
// The host's facts on Linux.

#include "os/host.h"

namespace tarvo::posix {

// "/" and no ".exe"; the folder of /proc/self/exe; argv[1..] joined by
// single blanks, the command line as a user typed it; one window at a time
// under gamescope.
Host LinuxHost(int argc, char** argv);

// Whether a minimised window can bring itself back: not on Wayland, whether
// Qt speaks it itself ("wayland", "wayland-egl") or goes through XWayland.
bool MinimisedWindowsComeBack(const std::string& qtPlatform);

}  // namespace tarvo::posix
