#include "game_output.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

namespace tarvo::posix {

namespace {

// Writes it all to Tarvo's own stream, as far as that takes it; only what
// is safe in a process just forked.
void WriteAll(int fd, const char* bytes, ssize_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, static_cast<std::size_t>(size));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;  // closed, or gone: the game's output goes nowhere, as it would
        bytes += written;
        size -= written;
    }
}

// Closes every descriptor but the standard ones and those kept: nothing of
// Tarvo's (its lock, its sockets, another game's pipes) stays held by the
// forwarder. Only what is safe in a process just forked.
void KeepOnly(int kept[], int count) {
    std::sort(kept, kept + count);
    unsigned from = 3;
    for (int i = 0; i <= count; ++i) {
        const unsigned to = i < count ? static_cast<unsigned>(kept[i]) : ~0u;  // the next kept one, or past the last
        if (i < count && kept[i] < 3) continue;
        if (from < to) {
            const unsigned last = to - 1;
            if (syscall(SYS_close_range, from, last, 0) != 0) {
                // Before Linux 5.9: one at a time, as far as descriptors go.
                for (unsigned fd = from; fd <= last && fd <= 65535; ++fd) close(static_cast<int>(fd));
            }
        }
        from = to + 1;
    }
}

// Writes what Tarvo's own stream takes now, never waiting on it: a full
// pipe nobody reads, or a terminal on hold, must not keep the game's end
// unheard. What it cannot take is dropped. A pipe or a terminal that polls
// writable takes PIPE_BUF bytes without waiting.
void WriteWhatFits(int fd, const char* bytes, ssize_t size) {
    while (size > 0) {
        pollfd ready{fd, POLLOUT, 0};
        if (poll(&ready, 1, 0) <= 0 || (ready.revents & (POLLERR | POLLHUP | POLLNVAL))) return;
        const ssize_t written = write(fd, bytes, static_cast<std::size_t>(std::min<ssize_t>(size, PIPE_BUF)));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        bytes += written;
        size -= written;
    }
}

bool OpenPipe(UniqueFd& read, UniqueFd& write) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    read.reset(ends[0]);
    write.reset(ends[1]);
    return fcntl(read.get(), F_SETFL, O_NONBLOCK) == 0;
}

}  // namespace

std::unique_ptr<GameOutput> GameOutput::Open(WindowThread& window) {
    std::unique_ptr<GameOutput> output(new GameOutput(window));
    output->output_.passedTo = STDOUT_FILENO;
    output->error_.passedTo = STDERR_FILENO;
    if (!OpenPipe(output->output_.read, output->output_.write) || !OpenPipe(output->error_.read, output->error_.write) ||
        !OpenPipe(output->wakeRead_, output->wakeWrite_)) {
        return nullptr;
    }
    return output;
}

void GameOutput::Started() {
    output_.write.reset();
    error_.write.reset();
    worker_->Run([this](const Worker::Job& job) { PassOn(job); }, false);
}

void GameOutput::PassOn(const Worker::Job& job) {
    // A stream whose reader has gone says so by EPIPE, here, not by a
    // signal that would end Tarvo.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> linesDue;  // once the game has ended
    bool told = false;
    Pipe* pipes[] = {&output_, &error_};
    for (;;) {
        const bool open = output_.open || error_.open;
        if (!told && (!open || (linesDue && Clock::now() >= *linesDue))) {
            told = true;
            const std::lock_guard<std::mutex> lock(linesMutex_);
            job.Post([this, lines = lines_.Text()] { LinesCame(lines); });
        }
        if (!open) return;
        pollfd watched[] = {{output_.open ? output_.read.get() : -1, POLLIN, 0},
                            {error_.open ? error_.read.get() : -1, POLLIN, 0},
                            {wakeRead_.get(), POLLIN, 0}};
        int timeout = -1;
        if (linesDue && !told) {
            timeout = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(*linesDue - Clock::now()).count() + 1);
        }
        if (poll(watched, 3, timeout) < 0 && errno != EINTR) return;
        if (watched[2].revents) {
            char word = 0;
            while (read(wakeRead_.get(), &word, 1) == 1) {
                if (word == 'q') return;
                if (!linesDue) linesDue = Clock::now() + std::chrono::milliseconds(kLinesWaitMs);
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (!watched[i].revents) continue;
            char bytes[1 << 14];
            const ssize_t got = read(pipes[i]->read.get(), bytes, sizeof bytes);
            if (got > 0) {
                {
                    const std::lock_guard<std::mutex> lock(linesMutex_);
                    lines_.Add(std::string_view(bytes, static_cast<std::size_t>(got)));
                }
                WriteWhatFits(pipes[i]->passedTo, bytes, got);
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                pipes[i]->open = false;
            }
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
    output_.write.reset();  // a start that never came to be watched
    error_.write.reset();
    if (!Finished()) HandOver();
}

void GameOutput::HandOver() {
    const int out = output_.open ? output_.read.get() : -1;
    const int err = error_.open ? error_.read.get() : -1;
    // Tarvo goes on only once the forwarder holds nothing of its own: the
    // next Tarvo must find its lock free at once.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return;
    const pid_t pid = fork();
    if (pid != 0) {
        close(ready[1]);
        if (pid > 0) {
            NoteStartedHere(pid);
            pollfd told{ready[0], POLLIN, 0};
            char word;
            if (poll(&told, 1, kMostHandOverMs) > 0) (void)!read(ready[0], &word, 1);
        }
        close(ready[0]);
        return;
    }
    // The forwarder: a session of its own, as the game has, and only calls
    // that are safe in a process forked from one with threads.
    setsid();
    int kept[] = {out, err, ready[1]};
    KeepOnly(kept, 3);
    (void)!write(ready[1], "r", 1);
    close(ready[1]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
    pollfd watched[] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    const int passedTo[] = {STDOUT_FILENO, STDERR_FILENO};
    while (watched[0].fd >= 0 || watched[1].fd >= 0) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (watched[i].fd < 0 || !watched[i].revents) continue;
            char bytes[4096];
            const ssize_t got = read(watched[i].fd, bytes, sizeof bytes);
            if (got > 0) {
                WriteAll(passedTo[i], bytes, got);
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                watched[i].fd = -1;
            }
        }
    }
    _exit(0);
}

}  // namespace tarvo::posix
