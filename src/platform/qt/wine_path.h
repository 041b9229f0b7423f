#pragma once
// A path as Wine's own winepath names it, for a prefix whose drives the
// user changed. It runs beside the window, never holding it up: what
// winepath says within two seconds and 64 KiB counts; otherwise the path
// goes as it is.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

#include "posix_start.h"
#include "process_watch.h"

namespace tarvo {

class WinePathConversion : public QObject {
public:
    static constexpr int kLimitMs = 2000;
    static constexpr std::size_t kMostBytes = 64 * 1024;

    // done gets the path to hand over, once, from the event loop; the
    // conversion then deletes itself. It lives no longer than processes,
    // which is left what winepath leaves behind.
    WinePathConversion(ProcessWatch& processes, std::string path, std::function<void(const std::string&)> done);
    ~WinePathConversion() override;

private:
    void ReadOutput();
    void Finish(bool succeeded);

    ProcessWatch& processes_;
    std::string path_;
    std::string output_;
    std::function<void(const std::string&)> done_;
    posix::Child winepath_;
    posix::UniqueFd outputFd_;
    std::unique_ptr<QSocketNotifier> outputNotifier_, endNotifier_;
    bool finished_ = false;
};

}  // namespace tarvo
