#pragma once
// One Tarvo per user: each instance claims a local socket as it starts; a
// start that finds it taken connects, sends its caption and ends. Only this
// user's Tarvo counts, at either end of the socket.

#include <QObject>
#include <functional>
#include <string>

class QLocalServer;

namespace tarvo {

class SingleInstance : public QObject {
public:
    // Claims the socket at once, taking over one left by a crashed instance.
    // With no socket path there is no rule: every start is the only one.
    explicit SingleInstance(std::string socketPath);
    ~SingleInstance() override;

    // Whether another instance of this user held the socket when this one started.
    bool AnotherIsRunning() const { return anotherIsRunning_; }
    // Hands the caption to the running instance.
    void SendCaption(const std::string& caption);
    // Called in the first instance with each caption a later start sends.
    void OnCaption(std::function<void(const std::string&)> handler) { onCaption_ = std::move(handler); }

    // $XDG_RUNTIME_DIR/tarvo.socket, or else Tarvo/tarvo.socket in the
    // user's cache folder ($XDG_CACHE_HOME, else ~/.cache); either only in a
    // folder of this user that no one else may write. Empty when there is
    // no such folder.
    static std::string DefaultSocketPath();

private:
    bool Claim();
    void AcceptConnections();

    std::string socketPath_;
    QLocalServer* server_ = nullptr;
    std::function<void(const std::string&)> onCaption_;
    bool anotherIsRunning_;  // last: the claim needs the rest
};

}  // namespace tarvo
