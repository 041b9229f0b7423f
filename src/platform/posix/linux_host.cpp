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

// Steam Deck's game mode: gamescope names its display, or itself as the desktop.
bool UnderGamescope() {
    const char* display = std::getenv("GAMESCOPE_WAYLAND_DISPLAY");
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return (display && *display) || (desktop && std::string(desktop) == "gamescope");
}

}  // namespace

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
