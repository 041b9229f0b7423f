#include "child_watch.h"

namespace tarvo {

ChildWatch::ChildWatch(posix::Child child, std::function<void(bool)> ended, QObject* parent)
    : QObject(parent),
      child_(std::move(child)),
      notifier_(child_.pidfd.get(), QSocketNotifier::Read),
      ended_(std::move(ended)) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] {
        notifier_.setEnabled(false);
        ended_(posix::Reap(child_));
        deleteLater();
    });
}

ChildWatch::~ChildWatch() {
    if (child_.pidfd) posix::ReapWhenItEnds(child_.pid);
}

}  // namespace tarvo
