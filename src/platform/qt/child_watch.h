#pragma once
// A program Tarvo started, watched without polling: its pidfd wakes the
// event loop when it ends, and it is reaped at once.

#include <QObject>
#include <QSocketNotifier>
#include <functional>

#include "posix_start.h"

namespace tarvo {

class ChildWatch : public QObject {
public:
    // ended(true) when the child exited with status 0; the watch then
    // deletes itself. The child must have a pidfd.
    ChildWatch(posix::Child child, std::function<void(bool succeeded)> ended, QObject* parent);
    // Tarvo ends before the child: it runs on, and is still reaped when it ends.
    ~ChildWatch() override;

private:
    posix::Child child_;
    QSocketNotifier notifier_;
    std::function<void(bool)> ended_;
};

}  // namespace tarvo
