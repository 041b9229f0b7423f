#include "single_instance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <cstdlib>

namespace tarvo {

namespace {
constexpr int kTimeoutMs = 2000;
}

SingleInstance::SingleInstance(std::string socketPath)
    : socketPath_(std::move(socketPath)), anotherIsRunning_(Claim()) {}

SingleInstance::~SingleInstance() = default;

std::string SingleInstance::DefaultSocketPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/tarvo.socket";
    return "/tmp/tarvo-" + std::to_string(getuid()) + ".socket";
}

bool SingleInstance::Claim() {
    QLocalSocket probe;
    probe.connectToServer(QString::fromLocal8Bit(socketPath_.c_str()));
    if (probe.waitForConnected(kTimeoutMs)) return true;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(QString::fromLocal8Bit(socketPath_.c_str()));  // a dead instance's socket
    if (server_->listen(QString::fromLocal8Bit(socketPath_.c_str()))) AcceptConnections();
    return false;
}

void SingleInstance::AcceptConnections() {
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
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
    socket.connectToServer(QString::fromLocal8Bit(socketPath_.c_str()));
    if (!socket.waitForConnected(kTimeoutMs)) return;
    socket.write(QByteArray::fromStdString(caption + "\n"));
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
}

}  // namespace tarvo
