#include "linux_host.h"

#include <unistd.h>

namespace tarvo::posix {

namespace {

std::string ExecutableFolderOfThisProcess() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "./";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

Host LinuxHost(int argc, char** argv) {
    Host host{'/', false, ExecutableFolderOfThisProcess(), {}};
    for (int i = 1; i < argc; ++i) {
        if (i > 1) host.commandLine += ' ';
        host.commandLine += argv[i];
    }
    return host;
}

}  // namespace tarvo::posix
