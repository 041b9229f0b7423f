#pragma once
// What a game prints goes where Tarvo's own output goes, by way of a small
// process of its own (a forwarder, in a session of its own) that outlives
// Tarvo whatever ends it: the game never writes into a pipe nobody reads,
// and waits on a held stream only as it would without Tarvo. The forwarder
// hands Tarvo a copy, as far as Tarvo takes it at once, from which Tarvo
// keeps the last lines beside the window's thread, so that a failed start
// can say why.

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "os/window_thread.h"
#include "os/worker.h"
#include "owned.h"
#include "posix_start.h"
#include "text/last_lines.h"

namespace tarvo::posix {

class GameOutput {
public:
    // A game's lines, once its processes have all ended, are waited for at
    // most this long (a helper it left may hold its output open).
    static constexpr int kLinesWaitMs = 200;

    // Pipes and a forwarder for one game; none when the system gives none
    // (the game then prints straight to where Tarvo's output goes).
    static std::unique_ptr<GameOutput> Open(WindowThread& window);
    ~GameOutput();
    GameOutput(const GameOutput&) = delete;
    GameOutput& operator=(const GameOutput&) = delete;

    // The ends the game writes to, for its start.
    Streams ForTheGame() const { return {output_.get(), error_.get(), false}; }
    // The game has started (or failed to): its ends close here, the copy
    // is read from now on.
    void Started();
    // On the window's thread, once the game's processes have all ended:
    // then() with its last lines, when its output has closed or a moment
    // after.
    void AfterTheEnd(std::function<void(std::string lastLines)> then);
    // All passed on, the forwarder gone.
    bool Finished() const { return !copy_->open; }

private:
    // What the worker reads and keeps, co-owned by its job: a worker the
    // system held past its owner's end touches nothing that went with it.
    struct Copy {
        UniqueFd copy;      // what the forwarder passed on, for the last lines
        UniqueFd wakeRead;  // 'e': the game has ended; 'q': Tarvo is closing
        std::atomic<bool> open{true};
        std::mutex linesMutex;
        LastLines lines;
    };
    explicit GameOutput(WindowThread& window) : copy_(std::make_shared<Copy>()), worker_(std::make_unique<Worker>(window)) {}
    // In the forwarder, just forked: only what is safe there.
    [[noreturn]] static void Forward(int output, int error, int copy);
    // Reads the copy until it closes or Tarvo closes; its last lines are
    // told once it has closed or a moment after the game's end.
    static void ReadCopy(Copy& copy, const Worker::Job& job, const std::function<void(std::string)>& tell);
    void LinesCame(const std::string& lines);

    UniqueFd output_, error_;  // the game's ends, until it has started
    std::shared_ptr<Copy> copy_;
    pid_t forwarder_ = -1;
    UniqueFd wakeWrite_;
    bool linesCame_ = false;
    std::string lastLines_;
    std::function<void(std::string)> then_;
    std::unique_ptr<Worker> worker_;
};

}  // namespace tarvo::posix
