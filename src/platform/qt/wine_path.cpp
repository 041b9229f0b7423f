#include "wine_path.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QTimer>

namespace tarvo {

WinePathConversion::WinePathConversion(ProcessWatch& processes, std::string path,
                                       std::function<void(const std::string&)> done)
    : QObject(&processes), processes_(processes), path_(std::move(path)), done_(std::move(done)) {
    const std::string winepath = posix::FindOnPath("winepath");
    int ends[2];
    if (!winepath.empty() && pipe2(ends, O_CLOEXEC) == 0) {
        outputFd_.reset(ends[0]);
        const posix::UniqueFd writeEnd(ends[1]);
        fcntl(outputFd_.get(), F_SETFL, O_NONBLOCK);
        if (posix::StartChild(winepath, {"-w", path_}, "/", winepath_, writeEnd.get()).started && winepath_.pidfd) {
            outputNotifier_ = std::make_unique<QSocketNotifier>(outputFd_.get(), QSocketNotifier::Read);
            connect(outputNotifier_.get(), &QSocketNotifier::activated, this, &WinePathConversion::ReadOutput);
            // Its end, not the end of its output: Wine's helpers it leaves
            // running hold the pipe open.
            endNotifier_ = std::make_unique<QSocketNotifier>(winepath_.pidfd.get(), QSocketNotifier::Read);
            connect(endNotifier_.get(), &QSocketNotifier::activated, this, [this] {
                ReadOutput();
                if (!finished_) Finish(posix::Reap(winepath_));
            });
        }
    }
    QTimer::singleShot(endNotifier_ ? kLimitMs : 0, this, [this] { Finish(false); });
}

WinePathConversion::~WinePathConversion() {
    if (winepath_.pidfd) {  // Tarvo ends while it runs
        kill(winepath_.pid, SIGKILL);
        posix::Reap(winepath_);
    }
}

void WinePathConversion::ReadOutput() {
    char buffer[4096];
    ssize_t got;
    while (!finished_ && (got = read(outputFd_.get(), buffer, sizeof buffer)) > 0) {
        output_.append(buffer, static_cast<std::size_t>(got));
        if (output_.size() > kMostBytes) Finish(false);
    }
}

void WinePathConversion::Finish(bool succeeded) {
    if (finished_) return;
    finished_ = true;
    outputNotifier_.reset();
    endNotifier_.reset();
    if (winepath_.pidfd) {  // still running: not worth waiting for
        kill(winepath_.pid, SIGKILL);
        posix::Reap(winepath_);
    }
    processes_.WatchLeftBehind();  // Wine's server, which it may have started
    while (!output_.empty() && (output_.back() == '\n' || output_.back() == '\r')) output_.pop_back();
    done_(succeeded && !output_.empty() ? output_ : path_);
    deleteLater();
}

}  // namespace tarvo
