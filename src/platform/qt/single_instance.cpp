#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cstdlib>

namespace tarvo {

namespace {

constexpr int kTimeoutMs = 2000;

// A folder itself (not a link to one) of this user, with none of the
// forbidden permissions for others.
bool IsPrivateFolder(const std::string& folder, mode_t forbidden) {
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & forbidden) == 0;
}

// Another user must not be able to answer for this user's Tarvo, nor to
// hand it captions.
bool PeerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == getuid();
}

}  // namespace

SingleInstance::SingleInstance(const std::string& folder)
    : folder_(folder.empty() ? -1 : open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW)),
      anotherIsRunning_(Claim()) {}

SingleInstance::~SingleInstance() { delete server_; }  // its socket goes while the folder is open

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

QString SingleInstance::SocketName() const {
    return QStringLiteral("/proc/self/fd/%1/tarvo.socket").arg(folder_.get());
}

bool SingleInstance::Claim() {
    if (!folder_) return false;
    lock_.reset(openat(folder_.get(), "tarvo.lock", O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!lock_) return false;
    if (flock(lock_.get(), LOCK_EX | LOCK_NB) != 0) return true;  // held by the running Tarvo
    Listen();
    return false;
}

void SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(SocketName());  // a crashed instance's, or a stranger's
    if (!server_->listen(SocketName())) return;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            if (!PeerIsThisUser(*client)) {
                client->abort();
                continue;
            }
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine()) {
                    // A caption is one short line: more without its end is no Tarvo's.
                    if (client->bytesAvailable() > kLongestCaption) client->abort();
                    return;
                }
                QByteArray line = client->readLine(kLongestCaption);
                if (!line.endsWith('\n')) return client->abort();
                line.chop(1);
                if (onCaption_) onCaption_(line.toStdString());
            });
        }
    });
}

void SingleInstance::SendCaption(const std::string& caption) {
    if (!folder_) return;
    // The running Tarvo may have its claim but not yet its socket: it is
    // given a moment.
    QLocalSocket socket;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        socket.connectToServer(SocketName());
        if (socket.waitForConnected(kTimeoutMs)) break;
        if (waited.elapsed() > kTimeoutMs) return;
        QThread::msleep(20);
    }
    if (!PeerIsThisUser(socket)) return;
    socket.write(QByteArray::fromStdString(caption + "\n"));
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
}

}  // namespace tarvo
