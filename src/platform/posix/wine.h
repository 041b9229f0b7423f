#pragma once
// Windows programs on Linux run under Wine, which names Linux paths by its
// drives: Z: is "/" unless the user changed it.

#include <string>

namespace tarvo::posix {

// Whether the Wine prefix in use ($WINEPREFIX, else ~/.wine) names every
// path on drive Z: as it is: its Z: is "/", or it has no drives yet (Wine
// makes that Z: when it sets the prefix up).
bool DriveZIsRoot();

// The path as drive Z: names it: "Z:", then the path with "\" for "/".
std::string OnDriveZ(const std::string& path);

}  // namespace tarvo::posix
