#pragma once
// One Tarvo per user: the first instance listens on a local socket; a later
// start connects, sends its caption and ends.

#include <QObject>
#include <functional>
#include <string>

class QLocalServer;

namespace tarvo {

class SingleInstance : public QObject {
public:
    explicit SingleInstance(std::string socketPath);
    ~SingleInstance() override;

    // True when another instance answers. Otherwise this one starts
    // listening, taking over a socket left behind by a crashed instance.
    bool AnotherIsRunning();
    // Hands the caption to the running instance.
    void SendCaption(const std::string& caption);
    // Called in the first instance with each caption a later start sends.
    void OnCaption(std::function<void(const std::string&)> handler) { onCaption_ = std::move(handler); }

    // $XDG_RUNTIME_DIR/tarvo.socket, or a per-user name in /tmp.
    static std::string DefaultSocketPath();

private:
    void AcceptConnections();

    std::string socketPath_;
    QLocalServer* server_ = nullptr;
    std::function<void(const std::string&)> onCaption_;
};

}  // namespace tarvo
