#include "posix_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvo::posix {

namespace {

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void ReportAndExit(int pipeFd, int error) {
    ssize_t ignored = write(pipeFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

int ReadChildError(int pipeFd) {
    int error = 0;
    ssize_t got;
    do {
        got = read(pipeFd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace

StartResult StartDetached(const StartRequest& request) {
    // Everything the child needs is prepared before the fork.
    std::string program = request.program;
    std::string parameters = request.parameters;
    char* argv[3] = {program.data(), request.parameters.empty() ? nullptr : parameters.data(), nullptr};
    const char* folder = request.workingFolder.c_str();

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return {false, std::strerror(errno)};

    const pid_t child = fork();
    if (child < 0) {
        const int error = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        return {false, std::strerror(error)};
    }
    if (child == 0) {
        // A second fork leaves the emulator to init, so it never becomes
        // Tarvo's zombie and outlives it.
        close(pipeFds[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild < 0) ReportAndExit(pipeFds[1], errno);
        if (grandchild > 0) _exit(0);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (chdir(folder) != 0) ReportAndExit(pipeFds[1], errno);
        execv(argv[0], argv);
        ReportAndExit(pipeFds[1], errno);
    }
    close(pipeFds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; otherwise it carries errno.
    const int error = ReadChildError(pipeFds[0]);
    close(pipeFds[0]);
    if (error != 0) return {false, std::strerror(error)};
    return {true, {}};
}

}  // namespace tarvo::posix
