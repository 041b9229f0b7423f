#pragma once
// The way back to the window's thread on Qt: a queued call.

#include <QObject>

#include "os/window_thread.h"

namespace tarvo {

class QtWindowThread : public WindowThread {
public:
    void Post(std::function<void()> call) override;

private:
    QObject context_;  // of the window's thread: its calls go when it goes
};

}  // namespace tarvo
