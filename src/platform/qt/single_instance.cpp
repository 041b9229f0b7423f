#include "single_instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
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

// The socket in that folder, unless its path is too long for a socket.
std::string SocketIn(const std::string& folder) {
    const std::string path = folder + "/tarvo.socket";
    return path.size() < sizeof(sockaddr_un::sun_path) ? path : std::string();
}

bool ConnectToOurs(QLocalSocket& socket, const std::string& path) {
    socket.connectToServer(QString::fromLocal8Bit(path.c_str()));
    return socket.waitForConnected(kTimeoutMs) && PeerIsThisUser(socket);
}

}  // namespace

SingleInstance::SingleInstance(std::string socketPath)
    : socketPath_(std::move(socketPath)), anotherIsRunning_(Claim()) {}

SingleInstance::~SingleInstance() = default;

std::string SingleInstance::DefaultSocketPath() {
    const mode_t othersWrite = S_IWGRP | S_IWOTH;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && IsPrivateFolder(runtime, othersWrite)) return SocketIn(runtime);
    // Else a folder in this user's own cache: unlike a shared temporary
    // folder, no other user can make it first.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const std::string caches = cache && cache[0] == '/' ? cache : std::string(home ? home : "") + "/.cache";
    mkdir(caches.c_str(), 0700);  // unless it is there already
    const std::string own = caches + "/Tarvo";
    mkdir(own.c_str(), 0700);
    return IsPrivateFolder(own, othersWrite) ? SocketIn(own) : std::string();
}

bool SingleInstance::Claim() {
    if (socketPath_.empty()) return false;
    QLocalSocket probe;
    if (ConnectToOurs(probe, socketPath_)) return true;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(QString::fromLocal8Bit(socketPath_.c_str()));  // a dead instance's, or a stranger's
    if (server_->listen(QString::fromLocal8Bit(socketPath_.c_str()))) AcceptConnections();
    return false;
}

void SingleInstance::AcceptConnections() {
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            if (!PeerIsThisUser(*client)) {
                client->abort();
                continue;
            }
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine()) return;
                QByteArray line = client->readLine();
                line.chop(1);
                if (onCaption_) onCaption_(line.toStdString());
            });
        }
    });
}

void SingleInstance::SendCaption(const std::string& caption) {
    QLocalSocket socket;
    if (socketPath_.empty() || !ConnectToOurs(socket, socketPath_)) return;
    socket.write(QByteArray::fromStdString(caption + "\n"));
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
}

}  // namespace tarvo
