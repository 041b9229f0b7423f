#pragma once
// What a game prints still goes where Tarvo's own output goes, through
// Tarvo, which keeps its last lines on the way, so that a failed start can
// say why. It is read and passed on beside the window's thread (Tarvo's
// output may be a file on a share, or a terminal on hold), as far as
// Tarvo's stream takes it at once: what a held stream cannot take is lost. When Tarvo
// closes while the game runs, a small process of its own takes the passing
// on over: the game never writes into a closed pipe.

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
    // Tarvo, closing, waits at most this long for the forwarder to let go
    // of what is Tarvo's.
    static constexpr int kMostHandOverMs = 1000;

    // Pipes for one game; none when the system gives none (the game then
    // prints straight to where Tarvo's output goes).
    static std::unique_ptr<GameOutput> Open(WindowThread& window);
    ~GameOutput();
    GameOutput(const GameOutput&) = delete;
    GameOutput& operator=(const GameOutput&) = delete;

    // The ends the game writes to, for its start.
    Streams ForTheGame() const { return {output_.write.get(), error_.write.get(), false}; }
    // The game has started (or failed to): its ends close here, the passing
    // on begins.
    void Started();
    // On the window's thread, once the game's processes have all ended:
    // then() with its last lines, when its output has closed or a moment
    // after.
    void AfterTheEnd(std::function<void(std::string lastLines)> then);
    // All passed on, the pipes closed.
    bool Finished() const { return !output_.open && !error_.open; }

private:
    struct Pipe {
        UniqueFd read, write;
        std::atomic<bool> open{true};
        int passedTo;  // Tarvo's own stream
    };
    explicit GameOutput(WindowThread& window) : worker_(std::make_unique<Worker>(window)) {}
    void PassOn(const Worker::Job& job);
    void LinesCame(const std::string& lines);
    // Tarvo is closing first: a process of its own passes on what is left.
    void HandOver();

    Pipe output_, error_;
    UniqueFd wakeRead_, wakeWrite_;  // 'e': the game has ended; 'q': Tarvo is closing
    std::mutex linesMutex_;
    LastLines lines_;
    bool linesCame_ = false;
    std::string lastLines_;
    std::function<void(std::string)> then_;
    std::unique_ptr<Worker> worker_;
};

}  // namespace tarvo::posix
