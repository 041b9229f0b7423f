#pragma once
// The host's facts on Linux.

#include "os/host.h"

namespace tarvo::posix {

// "/" and no ".exe"; the folder of /proc/self/exe; argv[1..] joined by
// single blanks, the command line as a user typed it; one window at a time
// under gamescope; installed when that folder is the system's; the home
// folder and the settings file, for messages.
Host LinuxHost(int argc, char** argv, const std::string& settingsFile);

// A folder of the system's programs, where a packaged Tarvo is.
bool IsSystemFolder(const std::string& folder);

// Whether a minimised window can bring itself back: not on Wayland, whether
// Qt speaks it itself ("wayland", "wayland-egl") or goes through XWayland.
bool MinimisedWindowsComeBack(const std::string& qtPlatform);

}  // namespace tarvo::posix
