#include "ask_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "owned.h"
#include "posix_start.h"

namespace tarvo::posix {

namespace {

enum class Pipe { Open, Closed, TooMuch };

// Appends what the pipe holds now.
Pipe ReadAvailable(int fd, std::string& output, std::size_t mostBytes) {
    char buffer[1 << 16];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(got));
        if (output.size() > mostBytes) return Pipe::TooMuch;
    }
    return got == 0 ? Pipe::Closed : Pipe::Open;
}

}  // namespace

std::optional<std::string> AskProgram(const std::string& program, const std::vector<std::string>& arguments,
                                      const std::string& folder, std::size_t mostBytes, int mostMilliseconds,
                                      int cancelFd) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
    const UniqueFd output(ends[0]);
    Child child;
    {
        const UniqueFd writeEnd(ends[1]);
        if (!StartChild(program, arguments, folder, child, writeEnd.get()).started) return std::nullopt;
    }
    if (!child.pidfd) return std::nullopt;  // its end could not be told: not worth its word
    fcntl(output.get(), F_SETFL, O_NONBLOCK);
    fcntl(output.get(), F_SETPIPE_SZ, 1 << 20);  // room for what gathers meanwhile
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(mostMilliseconds);
    std::string text;
    Pipe pipe = Pipe::Open;
    bool ended = false;
    while (!ended && pipe != Pipe::TooMuch) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd watched[] = {{pipe == Pipe::Open ? output.get() : -1, POLLIN, 0}, {child.pidfd.get(), POLLIN, 0},
                            {cancelFd, POLLIN, 0}};
        if (left.count() <= 0 || poll(watched, 3, static_cast<int>(left.count())) <= 0) break;
        if (watched[2].revents) break;  // Tarvo is ending
        if (watched[0].revents) {
            pipe = ReadAvailable(output.get(), text, mostBytes);
            // A program that writes a line at a time (MAME does) would wake
            // this thread for every line: a moment's pause lets lines gather.
            if (pipe == Pipe::Open) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ended = watched[1].revents != 0;
    }
    if (ended && pipe == Pipe::Open) pipe = ReadAvailable(output.get(), text, mostBytes);  // what came last
    const bool withinLimits = pipe != Pipe::TooMuch;
    if (!ended) kill(child.pid, SIGKILL);
    const bool succeeded = Reap(child);
    if (!ended || !withinLimits || !succeeded) return std::nullopt;
    return text;
}

}  // namespace tarvo::posix
