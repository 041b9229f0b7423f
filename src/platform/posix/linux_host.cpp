#include "linux_host.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tarvo::posix {

namespace {

std::string ExecutableFolderOfThisProcess() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "./";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

bool IsSet(const char* variable, const char* value = nullptr) {
    const char* set = std::getenv(variable);
    return set && *set && (!value || std::string(set) == value);
}

// Steam Deck's game mode: gamescope names its display, or itself as the desktop.
bool UnderGamescope() {
    return IsSet("GAMESCOPE_WAYLAND_DISPLAY") || IsSet("XDG_CURRENT_DESKTOP", "gamescope");
}

}  // namespace

bool MinimisedWindowsComeBack(const std::string& qtPlatform) {
    return qtPlatform.rfind("wayland", 0) != 0 && !IsSet("WAYLAND_DISPLAY") && !IsSet("XDG_SESSION_TYPE", "wayland");
}

Host LinuxHost(int argc, char** argv) {
    Host host{'/', false, ExecutableFolderOfThisProcess(), {}};
    for (int i = 1; i < argc; ++i) {
        if (i > 1) host.commandLine += ' ';
        host.commandLine += argv[i];
    }
    host.oneWindowAtATime = UnderGamescope();
    return host;
}

}  // namespace tarvo::posix
