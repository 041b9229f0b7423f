#include "game_output.h"

#include <fcntl.h>
#include <limits.h>
#include <string.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

namespace tarvo::posix {

namespace {

// One of the game's streams in the forwarder: what it printed and Tarvo's
// stream has not taken yet, at most kMostPending bytes; past that, while
// Tarvo's stream is held, the rest is dropped. Only what is safe in a
// process just forked.
struct Forwarded {
    static constexpr std::size_t kMostPending = 64 * 1024;
    int from;  // the game's end, or -1 once closed
    int to;    // Tarvo's own stream
    char pending[kMostPending];
    std::size_t size = 0;

    void Keep(const char* bytes, std::size_t count) {
        count = count < kMostPending - size ? count : kMostPending - size;
        memcpy(pending + size, bytes, count);
        size += count;
    }
    // As much as Tarvo's stream takes without waiting: a pipe or a terminal
    // that polls writable takes PIPE_BUF bytes at once.
    void PassOn() {
        const ssize_t written = write(to, pending, size < PIPE_BUF ? size : PIPE_BUF);
        if (written < 0 && (errno == EAGAIN || errno == EINTR)) return;
        const std::size_t done = written < 0 ? size : static_cast<std::size_t>(written);  // gone: dropped
        memmove(pending, pending + done, size - done);
        size -= done;
    }
};

bool OpenPipe(UniqueFd& read, UniqueFd& write) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    read.reset(ends[0]);
    write.reset(ends[1]);
    return true;
}

}  // namespace

std::unique_ptr<GameOutput> GameOutput::Open(WindowThread& window) {
    std::unique_ptr<GameOutput> output(new GameOutput(window));
    UniqueFd outputRead, errorRead, copyWrite;
    if (!OpenPipe(outputRead, output->output_) || !OpenPipe(errorRead, output->error_) ||
        !OpenPipe(output->copy_->copy, copyWrite) || !OpenPipe(output->copy_->wakeRead, output->wakeWrite_) ||
        fcntl(output->copy_->copy.get(), F_SETFL, O_NONBLOCK) != 0 ||
        fcntl(output->copy_->wakeRead.get(), F_SETFL, O_NONBLOCK) != 0) {
        return nullptr;
    }
    // Tarvo goes on only once the forwarder holds nothing of its own: the
    // next Tarvo must find its lock free at once, and the game's ends must
    // close when the game's do.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return nullptr;
    const pid_t pid = fork();
    if (pid == 0) {
        int kept[] = {outputRead.get(), errorRead.get(), copyWrite.get(), ready[1]};
        KeepOnly(kept, 4);
        (void)!write(ready[1], "r", 1);
        close(ready[1]);
        Forward(outputRead.get(), errorRead.get(), copyWrite.get());
    }
    close(ready[1]);
    if (pid > 0) {
        NoteStartedHere(pid);
        output->forwarder_ = pid;
        pollfd told{ready[0], POLLIN, 0};
        char word;
        if (poll(&told, 1, 1000) > 0) (void)!read(ready[0], &word, 1);
    }
    close(ready[0]);
    return pid > 0 ? std::move(output) : nullptr;
}

void GameOutput::Forward(int output, int error, int copy) {
    // A session of its own, as the game has; a closed stream says so by
    // EPIPE, not by a signal.
    setsid();
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
    fcntl(copy, F_SETFL, O_NONBLOCK);  // Tarvo takes the copy as it can, or not at all
    static Forwarded streams[2];
    streams[0].from = output, streams[0].to = STDOUT_FILENO;
    streams[1].from = error, streams[1].to = STDERR_FILENO;
    for (;;) {
        const bool reading = streams[0].from >= 0 || streams[1].from >= 0;
        if (!reading && copy >= 0) close(copy), copy = -1;  // Tarvo hears the game's output has closed
        if (!reading && streams[0].size == 0 && streams[1].size == 0) break;
        pollfd watched[4];
        for (int i = 0; i < 2; ++i) {
            watched[i] = {streams[i].from, POLLIN, 0};
            watched[2 + i] = {streams[i].size > 0 ? streams[i].to : -1, POLLOUT, 0};
        }
        // Once the game's output has closed, what a held stream keeps is given a few seconds.
        const int ready = poll(watched, 4, reading ? -1 : 5000);
        if (ready == 0 || (ready < 0 && errno != EINTR)) break;
        for (int i = 0; i < 2; ++i) {
            Forwarded& stream = streams[i];
            if (watched[2 + i].revents) stream.PassOn();
            if (stream.from < 0 || !watched[i].revents) continue;
            char bytes[4096];
            const ssize_t got = read(stream.from, bytes, sizeof bytes);
            if (got > 0) {
                stream.Keep(bytes, static_cast<std::size_t>(got));
                if (copy >= 0 && write(copy, bytes, static_cast<std::size_t>(got)) < 0 && errno == EPIPE) close(copy), copy = -1;
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                stream.from = -1;
            }
        }
    }
    _exit(0);
}

void GameOutput::Started() {
    output_.reset();
    error_.reset();
    // Told on the window's thread, and only while the worker, and so this, is there.
    std::function<void(std::string)> tell = [this](std::string lines) { LinesCame(lines); };
    worker_->Run([copy = copy_, tell](const Worker::Job& job) { ReadCopy(*copy, job, tell); }, false);
}

void GameOutput::ReadCopy(Copy& copy, const Worker::Job& job, const std::function<void(std::string)>& tell) {
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> linesDue;  // once the game has ended
    bool told = false;
    for (;;) {
        const bool open = copy.open;
        if (!told && (!open || (linesDue && Clock::now() >= *linesDue))) {
            told = true;
            const std::lock_guard<std::mutex> lock(copy.linesMutex);
            job.Post([tell, lines = copy.lines.Text()] { tell(lines); });
        }
        if (!open) return;
        pollfd watched[] = {{copy.copy.get(), POLLIN, 0}, {copy.wakeRead.get(), POLLIN, 0}};
        int timeout = -1;
        if (linesDue && !told) {
            timeout = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(*linesDue - Clock::now()).count() + 1);
        }
        if (poll(watched, 2, timeout) < 0 && errno != EINTR) return;
        if (watched[1].revents) {
            char word = 0;
            while (read(copy.wakeRead.get(), &word, 1) == 1) {
                if (word == 'q') return;
                if (!linesDue) linesDue = Clock::now() + std::chrono::milliseconds(kLinesWaitMs);
            }
        }
        if (!watched[0].revents) continue;
        char bytes[1 << 14];
        const ssize_t got = read(copy.copy.get(), bytes, sizeof bytes);
        if (got > 0) {
            const std::lock_guard<std::mutex> lock(copy.linesMutex);
            copy.lines.Add(std::string_view(bytes, static_cast<std::size_t>(got)));
        } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
            copy.open = false;
        }
    }
}

void GameOutput::LinesCame(const std::string& lines) {
    linesCame_ = true;
    lastLines_ = lines;
    if (then_) std::exchange(then_, nullptr)(lastLines_);
}

void GameOutput::AfterTheEnd(std::function<void(std::string lastLines)> then) {
    if (linesCame_) return then(lastLines_);
    then_ = std::move(then);
    const char word = 'e';
    (void)!write(wakeWrite_.get(), &word, 1);
}

GameOutput::~GameOutput() {
    const char word = 'q';
    (void)!write(wakeWrite_.get(), &word, 1);
    worker_.reset();
    output_.reset();  // a start that never came to be: the forwarder ends
    error_.reset();
    // Collected if it has ended; else it runs on by itself, passing on
    // what the game still prints, and ends with the game's output.
    Child forwarder{forwarder_, {}};
    if (forwarder_ > 0) Reap(forwarder, false);
}

}  // namespace tarvo::posix
