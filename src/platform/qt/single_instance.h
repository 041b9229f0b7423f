#pragma once
// One Tarvo per user. Each instance takes a lock on a file of a private
// folder as it starts, and holds it for its life: the one that gets it is
// the running Tarvo, whatever the timing; it then listens on a local socket
// in the same folder. A start that finds the lock taken connects, sends its
// caption with the activation token it was started with, if any, and ends. Only this user's Tarvo counts, at either end. Where the
// folder's file system cannot lock (some network homes), the socket alone
// decides: a Tarvo that answers on it is the running one.

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "os/instance.h"
#include "owned.h"

namespace tarvo {

class SingleInstance : public QObject, public Instance {
public:
    static constexpr std::size_t kLongestCaption = 4096;
    static constexpr std::size_t kLongestToken = 4096;
    // Clients heard at once; any more are let go at once.
    static constexpr std::size_t kMostClients = 16;

    using Lock = std::function<int(int fd)>;  // flock(fd, LOCK_EX | LOCK_NB), as the system does it
    // Claims the folder at once. With no folder there is no rule: every
    // start is the only one.
    explicit SingleInstance(const std::string& folder, Lock lock = {});
    ~SingleInstance() override;

    // Whether another instance of this user held the claim when this one started.
    bool AnotherIsRunning() override { return anotherIsRunning_; }
    // Hands the caption to the running instance, with this start's
    // activation token ($XDG_ACTIVATION_TOKEN, else $DESKTOP_STARTUP_ID):
    // on Wayland the running one may take the focus only with it.
    void HandCaption(const std::string& caption) override;
    using CaptionHandler = std::function<void(const std::string& caption, const std::string& token)>;
    // Called in the first instance with each caption a later start sends.
    void OnCaption(CaptionHandler handler) { onCaption_ = std::move(handler); }
    // Lets a later start be the running Tarvo, though this one has not ended yet.
    void Release();

    // $XDG_RUNTIME_DIR, or else Tarvo in the user's cache folder
    // ($XDG_CACHE_HOME, else ~/.cache); either only when it is a folder of
    // this user that no one else may write. Empty when there is none.
    static std::string DefaultFolder();

private:
    struct Client {
        posix::UniqueFd fd;
        std::unique_ptr<QSocketNotifier> notifier;
        std::string line;  // as far as it came
        std::uint64_t arrival = 0;  // in the order clients came
    };
    bool Claim(const Lock& lock);
    bool Answers();
    void Listen();
    void Accept();
    void Hear(int fd);
    // The socket by way of the open folder: a path of a few characters,
    // however long the folder's own.
    std::string SocketPath() const;

    posix::UniqueFd folder_, lock_, listening_, spare_;
    std::unique_ptr<QSocketNotifier> incoming_;
    std::map<int, Client> clients_;  // by descriptor
    std::uint64_t arrivals_ = 0;
    CaptionHandler onCaption_;
    bool anotherIsRunning_;  // last: the claim needs the rest
};

}  // namespace tarvo
