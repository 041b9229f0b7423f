#include "posix_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <spawn.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

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

// argv for exec: the texts stay the caller's.
std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

StartResult StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder) {
    // Everything the child needs is prepared before the fork.
    std::vector<char*> argv = ArgumentVector(program, arguments);

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
        if (chdir(folder.c_str()) != 0) ReportAndExit(pipeFds[1], errno);
        execv(argv[0], argv.data());
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

std::optional<std::string> OutputOf(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv = ArgumentVector(program, arguments);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t child = 0;
    const bool spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string output;
    char buffer[4096];
    ssize_t got;
    while (spawned && ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
        if (got > 0) output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    while (spawned && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!spawned || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return output;
}

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

}  // namespace tarvo::posix
