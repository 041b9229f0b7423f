#pragma once
// One Tarvo per user. Each instance takes a lock on a file of a private
// folder as it starts, and holds it for its life: the one that gets it is
// the running Tarvo, whatever the timing; it then listens on a local socket
// in the same folder. A start that finds the lock taken connects, sends its
// caption and ends. Only this user's Tarvo counts, at either end.

#include <QObject>
#include <functional>
#include <string>

#include "owned.h"

class QLocalServer;

namespace tarvo {

class SingleInstance : public QObject {
public:
    static constexpr qint64 kLongestCaption = 4096;

    // Claims the folder at once. With no folder there is no rule: every
    // start is the only one.
    explicit SingleInstance(const std::string& folder);
    ~SingleInstance() override;

    // Whether another instance of this user held the claim when this one started.
    bool AnotherIsRunning() const { return anotherIsRunning_; }
    // Hands the caption to the running instance.
    void SendCaption(const std::string& caption);
    // Called in the first instance with each caption a later start sends.
    void OnCaption(std::function<void(const std::string&)> handler) { onCaption_ = std::move(handler); }

    // $XDG_RUNTIME_DIR, or else Tarvo in the user's cache folder
    // ($XDG_CACHE_HOME, else ~/.cache); either only when it is a folder of
    // this user that no one else may write. Empty when there is none.
    static std::string DefaultFolder();

private:
    bool Claim();
    void Listen();
    // The socket by way of the open folder: a path of a few characters,
    // however long the folder's own.
    QString SocketName() const;

    posix::UniqueFd folder_, lock_;
    QLocalServer* server_ = nullptr;
    std::function<void(const std::string&)> onCaption_;
    bool anotherIsRunning_;  // last: the claim needs the rest
};

}  // namespace tarvo
