#include "wine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "owned.h"

namespace tarvo::posix {

bool IsWindowsProgram(const std::string& path) {
    const UniqueFd file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    char magic[2] = {};
    return file && fstat(file.get(), &st) == 0 && S_ISREG(st.st_mode) && read(file.get(), magic, 2) == 2 &&
           magic[0] == 'M' && magic[1] == 'Z';
}

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
