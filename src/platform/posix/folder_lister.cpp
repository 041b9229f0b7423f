#include "folder_lister.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "owned.h"
#include "posix_files.h"
#include "posix_start.h"

namespace tarvo::posix {

namespace {

// The lister's records, each ended by a NUL (which no name holds): a name
// found, the folder holding a visible file, the pass done, or the folder
// not listable.
constexpr char kName = 'n', kHoldsFiles = 'f', kDone = 'e', kCannot = 'x';
constexpr std::size_t kBatchBytes = 64 * 1024;
constexpr long kBatchNs = 100'000'000;

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// The whole of it down the pipe, or as far as the reader takes it.
bool WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// In the lister, just forked: the pass, told as it goes. Glibc's fork
// leaves the allocator usable in the child; nothing else of Tarvo's is
// touched.
[[noreturn]] void List(int out, const std::string& folder, const WildcardSet& patterns) {
    NameList names;
    bool holdsFiles = false, toldHolds = false;
    std::string batch;
    std::size_t told = 0;
    long long sent = NowNs();
    bool readerThere = true;
    std::size_t entries = 0;
    const auto tell = [&](bool all) {
        for (; told < names.size(); ++told) (batch += kName) += names[told], batch += '\0';
        if (holdsFiles && !toldHolds) batch += kHoldsFiles, batch += '\0', toldHolds = true;
        const bool due = ++entries % 64 == 0 && !batch.empty() && NowNs() - sent >= kBatchNs;  // the clock, now and then
        if (batch.size() >= kBatchBytes || (all && !batch.empty()) || due) {
            readerThere = WriteAll(out, batch);
            batch.clear();
            sent = NowNs();
        }
        return readerThere;
    };
    const bool listed = ListFiles(folder, patterns, names, [&](std::size_t) { return tell(false); }, &holdsFiles);
    tell(false);
    batch += listed ? kDone : kCannot, batch += '\0';
    tell(true);
    _exit(0);
}

std::mutex g_lingeringMutex;
std::vector<pid_t> g_lingering;  // listers not yet collected

void Linger(pid_t pid) {
    const std::lock_guard<std::mutex> lock(g_lingeringMutex);
    g_lingering.push_back(pid);
}

void CollectLingering() {
    const std::lock_guard<std::mutex> lock(g_lingeringMutex);
    g_lingering.erase(std::remove_if(g_lingering.begin(), g_lingering.end(),
                                     [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; }),
                      g_lingering.end());
}

}  // namespace

bool ListFilesApart(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn,
                    bool* holdsFiles) {
    if (holdsFiles) *holdsFiles = false;
    CollectLingering();
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return ListFiles(folder, patterns, names, goOn, holdsFiles);
    UniqueFd in(ends[0]), out(ends[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        int kept[] = {out.get()};
        KeepOnly(kept, 1);
        signal(SIGPIPE, SIG_IGN);
        List(out.get(), folder, patterns);
    }
    out.reset();
    if (pid < 0) return ListFiles(folder, patterns, names, goOn, holdsFiles);
    bool listed = false, ended = false, stopped = false;
    std::string pending;  // a record begun
    char bytes[1 << 16];
    while (!ended) {
        pollfd told{in.get(), POLLIN, 0};
        // Asked now and then: a share that tells nothing must not keep a cancel unheard.
        if (poll(&told, 1, 100) < 0 && errno != EINTR) break;
        if (goOn && !goOn(names.size())) {
            stopped = true;
            break;
        }
        if (!told.revents) continue;
        const ssize_t got = read(in.get(), bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the lister ended without its last word: what came counts
        const char* begin = bytes;
        const char* const end = bytes + got;
        while (const char* nul = static_cast<const char*>(std::memchr(begin, '\0', static_cast<std::size_t>(end - begin)))) {
            pending.append(begin, static_cast<std::size_t>(nul - begin));
            begin = nul + 1;
            if (pending[0] == kName) names.Add(std::string_view(pending).substr(1));
            if (pending[0] == kHoldsFiles && holdsFiles) *holdsFiles = true;
            if (pending[0] == kDone || pending[0] == kCannot) listed = pending[0] == kDone, ended = true;
            pending.clear();
        }
        pending.append(begin, static_cast<std::size_t>(end - begin));
    }
    if (stopped) kill(pid, SIGKILL);  // it goes when the system lets it
    Linger(pid);  // collected by a later pass, once it has ended: nothing here waits for it
    return listed || stopped || !names.empty();
}

}  // namespace tarvo::posix
