#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <algorithm>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tarvo {

namespace {

constexpr int kTimeoutMs = 2000;

// What a later start sends: its caption, then a NUL and its token if it has one.
std::string CaptionLine(const std::string& caption) {
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    if (!token || !*token) token = std::getenv("DESKTOP_STARTUP_ID");
    return caption + (token && *token ? '\0' + std::string(token) : std::string()) + "\n";
}

// A token is a short run of printable ASCII, as the protocols make them.
bool IsToken(std::string_view token) {
    return token.size() <= SingleInstance::kLongestToken &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// A folder itself (not a link to one) of this user, with none of the
// forbidden permissions for others.
bool IsPrivateFolder(const std::string& folder, mode_t forbidden) {
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & forbidden) == 0;
}

// Another user must not be able to answer for this user's Tarvo, nor to
// hand it captions.
bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// A stream socket connected to the path, or none.
posix::UniqueFd Connect(const std::string& path) {
    posix::UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{AF_UNIX, {}};
    if (!fd || path.size() >= sizeof address.sun_path) return {};
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return {};
    return fd;
}

// Ends a notifier's watch from within its own signal: the object goes
// once the signal is done.
void DropWhileItSignals(std::unique_ptr<QSocketNotifier>& notifier) {
    notifier->setEnabled(false);
    notifier.release()->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(const std::string& folder, Lock lock)
    : folder_(folder.empty() ? -1 : open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW)),
      anotherIsRunning_(Claim(lock)) {}

SingleInstance::~SingleInstance() { Release(); }

std::string SingleInstance::DefaultFolder() {
    const mode_t othersWrite = S_IWGRP | S_IWOTH;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && IsPrivateFolder(runtime, othersWrite)) return runtime;
    // Else a folder in this user's own cache: unlike a shared temporary
    // folder, no other user can make it first.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const std::string caches = cache && cache[0] == '/' ? cache : std::string(home ? home : "") + "/.cache";
    mkdir(caches.c_str(), 0700);  // unless it is there already
    const std::string own = caches + "/Tarvo";
    mkdir(own.c_str(), 0700);
    return IsPrivateFolder(own, othersWrite) ? own : std::string();
}

std::string SingleInstance::SocketPath() const { return "/proc/self/fd/" + std::to_string(folder_.get()) + "/tarvo.socket"; }

bool SingleInstance::Claim(const Lock& lock) {
    if (!folder_) return false;
    lock_.reset(openat(folder_.get(), "tarvo.lock", O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    const int locked = !lock_ ? -1 : lock ? lock(lock_.get()) : flock(lock_.get(), LOCK_EX | LOCK_NB);
    if (locked != 0 && lock_ && errno == EWOULDBLOCK) return true;  // held by the running Tarvo
    // Locked, or a file system that cannot lock: then the socket alone says.
    if (locked != 0 && Answers()) return true;
    Listen();
    return false;
}

bool SingleInstance::Answers() {
    const posix::UniqueFd fd = Connect(SocketPath());
    return fd && PeerIsThisUser(fd.get());
}

void SingleInstance::Listen() {
    const std::string path = SocketPath();
    unlinkat(folder_.get(), "tarvo.socket", 0);  // a crashed instance's, or a stranger's
    listening_.reset(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (!listening_ || bind(listening_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        fchmodat(folder_.get(), "tarvo.socket", 0600, 0) != 0 || listen(listening_.get(), SOMAXCONN) != 0) {
        listening_.reset();
        return;
    }
    // Kept for the moment descriptors run out: closed, it lets one more
    // connection be taken and let go, so the socket never chokes.
    spare_.reset(open("/dev/null", O_RDONLY | O_CLOEXEC));
    incoming_ = std::make_unique<QSocketNotifier>(listening_.get(), QSocketNotifier::Read);
    connect(incoming_.get(), &QSocketNotifier::activated, this, [this] { Accept(); });
}

void SingleInstance::Accept() {
    for (;;) {
        const int fd = accept4(listening_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE) && spare_) {
            spare_.reset();
            close(accept(listening_.get(), nullptr, nullptr));
            spare_.reset(open("/dev/null", O_RDONLY | O_CLOEXEC));
            continue;
        }
        if (fd < 0) return;  // none waits (or the system says no): listening goes on
        if (!PeerIsThisUser(fd)) {
            close(fd);
            continue;
        }
        // A start sends its caption at once: the client waiting longest
        // makes room for it.
        if (clients_.size() >= kMostClients) {
            clients_.erase(std::min_element(clients_.begin(), clients_.end(), [](const auto& a, const auto& b) {
                return a.second.arrival < b.second.arrival;
            }));
        }
        Client& client = clients_[fd];
        client.arrival = arrivals_++;
        client.fd.reset(fd);
        client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client.notifier.get(), &QSocketNotifier::activated, this, [this, fd] { Hear(fd); });
    }
}

void SingleInstance::Hear(int fd) {
    const auto it = clients_.find(fd);
    if (it == clients_.end()) return;
    Client& client = it->second;
    char bytes[512];
    const ssize_t got = read(fd, bytes, sizeof bytes);
    if (got < 0 && errno == EAGAIN) return;
    const std::string_view text(bytes, got > 0 ? static_cast<std::size_t>(got) : 0);
    const std::size_t end = text.find('\n');
    client.line.append(text.substr(0, end));
    // One line of a caption and a token, at most, from each: then it is let go.
    constexpr std::size_t kLongestLine = kLongestCaption + 1 + kLongestToken;
    if (end == std::string_view::npos && got > 0 && client.line.size() <= kLongestLine) return;
    const std::string line = std::move(client.line);
    DropWhileItSignals(client.notifier);
    clients_.erase(it);
    const std::size_t nul = std::min(line.find('\0'), line.size());
    const std::string caption = line.substr(0, nul), token = line.substr(std::min(nul + 1, line.size()));
    const bool heard = end != std::string_view::npos && !caption.empty() && caption.size() <= kLongestCaption && IsToken(token);
    if (heard && onCaption_) onCaption_(caption, token);
}

void SingleInstance::HandCaption(const std::string& caption) {
    if (!folder_) return;
    // The running Tarvo may have its claim but not yet its socket: it is
    // given a moment.
    QElapsedTimer waited;
    waited.start();
    posix::UniqueFd fd;
    while (!(fd = Connect(SocketPath())) && waited.elapsed() < kTimeoutMs) QThread::msleep(20);
    if (!fd || !PeerIsThisUser(fd.get())) return;
    const std::string line = CaptionLine(caption);
    if (write(fd.get(), line.data(), line.size()) < 0) return;  // a running Tarvo that went meanwhile
}

void SingleInstance::Release() {
    incoming_.reset();
    clients_.clear();
    // Its socket goes while the lock still keeps a later start from making its own.
    if (listening_) unlinkat(folder_.get(), "tarvo.socket", 0);
    listening_.reset();
    lock_.reset();
}

}  // namespace tarvo
