#include "wine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace tarvo::posix {

bool DriveZIsRoot() {
    const char* prefix = std::getenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    const std::string drives = (prefix && *prefix ? std::string(prefix) : std::string(home ? home : "") + "/.wine") +
                               "/dosdevices";
    struct stat st {};
    if (lstat(drives.c_str(), &st) != 0) return true;
    char target[2];
    return readlink((drives + "/z:").c_str(), target, sizeof target) == 1 && target[0] == '/';
}

std::string OnDriveZ(const std::string& path) {
    std::string windows = "Z:" + path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}

}  // namespace tarvo::posix
