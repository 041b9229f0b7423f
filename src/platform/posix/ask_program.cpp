#include "ask_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "owned.h"
#include "posix_start.h"
#include "process_tree.h"

namespace tarvo::posix {

namespace {

// How long a wait goes before it asks whether it is still wanted.
constexpr int kAskEveryMs = 100;

enum class Pipe { Open, Closed, TooMuch };

// Hands on what the pipe holds now.
Pipe ReadAvailable(int fd, std::size_t& total, std::size_t mostBytes, const std::function<void(std::string_view)>& output) {
    char buffer[1 << 16];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        total += static_cast<std::size_t>(got);
        if (total > mostBytes) return Pipe::TooMuch;
        output(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    return got == 0 ? Pipe::Closed : Pipe::Open;
}

}  // namespace

bool AskProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                std::size_t mostBytes, int mostMilliseconds, const std::function<void(std::string_view)>& output,
                const Cancellable& cancel) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    const UniqueFd pipeOut(ends[0]);
    Child child;
    {
        const UniqueFd writeEnd(ends[1]);
        if (!StartChild(program, arguments, folder, child, {writeEnd.get(), -1, true}).started) return false;
    }
    fcntl(pipeOut.get(), F_SETFL, O_NONBLOCK);
    fcntl(pipeOut.get(), F_SETPIPE_SZ, 1 << 20);  // room for what gathers meanwhile
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(mostMilliseconds);
    std::size_t total = 0;
    Pipe pipe = Pipe::Open;
    bool ended = false;
    while (!ended && pipe != Pipe::TooMuch && !cancel.Cancelled()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd watched[] = {{pipe == Pipe::Open ? pipeOut.get() : -1, POLLIN, 0}, {child.pidfd.get(), POLLIN, 0}};
        if (poll(watched, 2, static_cast<int>(std::min<long long>(left.count(), kAskEveryMs))) < 0) break;
        if (watched[0].revents) {
            pipe = ReadAvailable(pipeOut.get(), total, mostBytes, output);
            // A program that writes a line at a time (MAME does) would wake
            // this thread for every line: a moment's pause lets lines gather.
            if (pipe == Pipe::Open) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        // Without a pidfd its end is asked for between the waits.
        ended = child.pidfd ? watched[1].revents != 0 : Reap(child, false);
    }
    if (ended && pipe == Pipe::Open) pipe = ReadAvailable(pipeOut.get(), total, mostBytes, output);  // what came last
    // What it started ends with it: its session is its process group, and
    // what went into sessions of its own is still below it.
    for (const pid_t descendant : DescendantsOf(child.pid)) kill(descendant, SIGKILL);
    kill(-child.pid, SIGKILL);
    if (child.pidfd || !ended) Reap(child);
    return ended && pipe != Pipe::TooMuch && ExitedWell(child);
}

}  // namespace tarvo::posix
