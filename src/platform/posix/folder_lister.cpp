#include "folder_lister.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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

// The lister's records, each ended by a NUL (which no name holds): a
// visible ordinary file's name, the pass done, or the folder not listable.
constexpr char kName = 'n', kDone = 'e', kCannot = 'x';
constexpr std::size_t kBatchBytes = 64 * 1024;
constexpr long kBatchNs = 100'000'000;

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// As the kernel hands a folder's entries over (getdents64).
struct Entry {
    ino64_t inode;
    off64_t next;
    unsigned short length;
    unsigned char type;
    char name[1];
};

// In the lister, just forked from a program with threads: only calls that
// are safe there, so nothing allocates. Each visible ordinary file (a link
// to one included) is told; Tarvo matches the names.
class Teller {
public:
    explicit Teller(int out) : out_(out), sent_(NowNs()) {}
    void Tell(char kind, const char* name = "") {
        const std::size_t length = std::strlen(name);
        if (used_ + length + 2 > sizeof batch_) Flush();
        batch_[used_++] = kind;
        std::memcpy(batch_ + used_, name, length);
        used_ += length;
        batch_[used_++] = '\0';
        // 64 KiB at a time, or every tenth of a second: a slow share still shows its progress.
        if (used_ >= kBatchBytes || (++told_ % 64 == 0 && NowNs() - sent_ >= kBatchNs)) Flush();
    }
    void Flush() {
        for (std::size_t done = 0; done < used_;) {
            const ssize_t written = write(out_, batch_ + done, used_ - done);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) _exit(0);  // Tarvo has gone, or wants no more
            done += static_cast<std::size_t>(written);
        }
        used_ = 0;
        sent_ = NowNs();
    }

private:
    int out_;
    long long sent_;
    std::size_t used_ = 0, told_ = 0;
    char batch_[kBatchBytes + 4096];
};

[[noreturn]] void List(int out, const char* folder) {
    Teller teller(out);
    static char entries[1 << 15];  // as the C library reads them
    const int dir = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) teller.Tell(kCannot), teller.Flush(), _exit(0);
    // An error part-way (a share gone) ends the pass as the end does: with what was read.
    for (long got; (got = syscall(SYS_getdents64, dir, entries, sizeof entries)) > 0;) {
        for (long at = 0; at < got;) {
            const Entry* entry = reinterpret_cast<const Entry*>(entries + at);
            at += entry->length;
            if (entry->name[0] == '.') continue;
            bool file = entry->type == DT_REG;
            struct stat st {};
            // Only links and file systems without types cost a stat.
            if (entry->type == DT_LNK || entry->type == DT_UNKNOWN) file = fstatat(dir, entry->name, &st, 0) == 0 && S_ISREG(st.st_mode);
            if (file) teller.Tell(kName, entry->name);
        }
    }
    teller.Tell(kDone);
    teller.Flush();
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
        List(out.get(), folder.c_str());
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
            const std::string_view name = std::string_view(pending).substr(1);
            if (pending[0] == kName && holdsFiles) *holdsFiles = true;
            if (pending[0] == kName && patterns.Matches(name)) names.Add(name);
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
