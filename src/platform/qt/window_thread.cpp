#include "window_thread.h"

namespace tarvo {

void QtWindowThread::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

}  // namespace tarvo
