#include "end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace tarvo {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int wakeWrite = -1;

// Only what is safe in a signal handler: a byte down the pipe.
void Heard(int) {
    const int saved = errno;
    (void)!write(wakeWrite, "s", 1);
    errno = saved;
}

}  // namespace

EndSignals::EndSignals(std::function<void()> close) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    read_.reset(ends[0]);
    write_.reset(ends[1]);
    wakeWrite = write_.get();
    heard_ = std::make_unique<QSocketNotifier>(read_.get(), QSocketNotifier::Read);
    connect(heard_.get(), &QSocketNotifier::activated, this, [this, close = std::move(close)] {
        char bytes[16];
        while (read(read_.get(), bytes, sizeof bytes) > 0) {
        }
        close();
    });
    struct sigaction action {};
    action.sa_handler = Heard;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals() {
    // From here on they end the process as they would have.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    for (const int signal : kSignals) sigaction(signal, &fallback, nullptr);
    wakeWrite = -1;
}

}  // namespace tarvo
