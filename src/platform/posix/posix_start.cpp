#include "posix_start.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <sstream>

namespace tarvo::posix {

namespace {

// A spawn that leaves nothing of Tarvo's in the child: a new session, no
// blocked signals, SIGPIPE as it normally is.
class SpawnSetup {
public:
    SpawnSetup(const std::string& folder, const Streams& streams) {
        posix_spawnattr_init(&attributes_);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &defaults);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
        if (streams.output >= 0) posix_spawn_file_actions_adddup2(&actions_, streams.output, STDOUT_FILENO);
        if (streams.error >= 0) posix_spawn_file_actions_adddup2(&actions_, streams.error, STDERR_FILENO);
        if (streams.asked) {
            posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
            posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        }
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawnattr_t* Attributes() const { return &attributes_; }
    const posix_spawn_file_actions_t* Actions() const { return &actions_; }

private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

std::mutex g_startedMutex;
std::set<pid_t> g_started;  // by StartChild, not yet reaped

void NoteStarted(pid_t pid, bool started) {
    const std::lock_guard<std::mutex> lock(g_startedMutex);
    if (started) {
        g_started.insert(pid);
    } else {
        g_started.erase(pid);
    }
}

}  // namespace

void KeepOnly(int kept[], int count) {
    std::sort(kept, kept + count);
    unsigned from = 3;
    for (int i = 0; i <= count; ++i) {
        const unsigned to = i < count ? static_cast<unsigned>(kept[i]) : ~0u;  // the next kept one, or past the last
        if (i < count && kept[i] < 3) continue;
        if (from < to) {
            const unsigned last = to - 1;
            if (syscall(SYS_close_range, from, last, 0) != 0) {
                // Before Linux 5.9: one at a time, as far as descriptors go.
                for (unsigned fd = from; fd <= last && fd <= 65535; ++fd) close(static_cast<int>(fd));
            }
        }
        from = to + 1;
    }
}

Child ChildOf(pid_t pid) { return {pid, UniqueFd(static_cast<int>(syscall(SYS_pidfd_open, pid, 0)))}; }

void NoteStartedHere(pid_t pid) { NoteStarted(pid, true); }

bool StartedHere(pid_t pid) {
    const std::lock_guard<std::mutex> lock(g_startedMutex);
    return g_started.count(pid) != 0;
}

StartResult StartChild(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder, Child& child, const Streams& streams) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const SpawnSetup setup(folder, streams);
    // glibc reports a failed chdir or exec here, before returning.
    const std::lock_guard<std::mutex> lock(g_startedMutex);  // noted before anyone can look for it
    const int error = posix_spawn(&child.pid, argv[0], setup.Actions(), setup.Attributes(), argv.data(), environ);
    if (error != 0) return StartResult::Failed(std::strerror(error));
    g_started.insert(child.pid);
    child = ChildOf(child.pid);
    return StartResult::Started(true);
}

bool Reap(Child& child, bool wait) {
    int status = 0;
    pid_t reaped;
    while ((reaped = waitpid(child.pid, &status, wait ? 0 : WNOHANG)) < 0 && errno == EINTR) {
    }
    if (reaped != child.pid) return false;
    child.pidfd.reset();
    child.status = status;
    NoteStarted(child.pid, false);
    return true;
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
