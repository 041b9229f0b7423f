#pragma once
// What the Play button hands to the system.

#include <string>
#include <string_view>

#include "os/programs.h"

namespace tarvo {

// The emulator's one parameter string. Launch mode 1: the selected name less
// its last four characters, lower-cased (empty when the name is shorter).
// Any other mode: the folder with one separator, then the name.
// The arcade set a file stands for: its name less the last four
// characters, in lower case ("PacMan.zip": "pacman").
std::string ArcadeSetOf(std::string_view fileName);

std::string BuildParameterString(int launchMode, const std::string& listFolder, const std::string& fileName,
                                 char separator);

// The start request: the emulator (a bare or relative one taken from the
// application folder), the parameters, and the application folder as the
// working folder.
StartRequest BuildStartRequest(const std::string& emulatorPath, const std::string& appFolder,
                               const std::string& parameters, char separator);

}  // namespace tarvo
