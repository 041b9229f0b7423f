#pragma once
// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) close
// Tarvo as Esc does: its window goes, the running games are left to run,
// and the passing on of their output is handed over.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "owned.h"

namespace tarvo {

class EndSignals : public QObject {
public:
    // close runs on the window's thread, once for each signal heard.
    explicit EndSignals(std::function<void()> close);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    posix::UniqueFd read_, write_;
    std::unique_ptr<QSocketNotifier> heard_;
};

}  // namespace tarvo
