#include "linux_host.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "text/paths.h"

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

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

}  // namespace

bool IsSystemFolder(const std::string& folder) {
    for (const char* system : {"/usr/games/", "/usr/bin/", "/usr/local/games/", "/usr/local/bin/", "/bin/", "/app/bin/"}) {
        if (folder == system) return true;
    }
    return false;
}

bool MinimisedWindowsComeBack(const std::string& qtPlatform) {
    return qtPlatform.rfind("wayland", 0) != 0 && !IsSet("WAYLAND_DISPLAY") && !IsSet("XDG_SESSION_TYPE", "wayland");
}

Host LinuxHost(int argc, char** argv, const std::string& settingsFile) {
    Host host{'/', false, ExecutableFolderOfThisProcess(), {}};
    for (int i = 1; i < argc; ++i) {
        if (i > 1) host.commandLine += ' ';
        host.commandLine += argv[i];
    }
    host.oneWindowAtATime = UnderGamescope();
    host.installed = IsSystemFolder(host.executableFolder);
    host.home = HomeFolder();
    host.settingsPlace = WithTilde(settingsFile, host.home);
    host.helpPlace = "tarvo --help";
    return host;
}

}  // namespace tarvo::posix
