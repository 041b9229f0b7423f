#include "program_question.h"

#include <fcntl.h>
#include <unistd.h>

#include "ask_program.h"

namespace tarvo {

ProgramQuestion::ProgramQuestion(QObject* parent, std::string program, std::vector<std::string> arguments,
                                 std::string folder, std::size_t mostBytes, int mostMilliseconds, Answered answered)
    : QObject(parent) {
    int ends[2] = {-1, -1};
    if (pipe2(ends, O_CLOEXEC) == 0) cancelled_.reset(ends[0]), cancel_.reset(ends[1]);
    thread_ = std::thread([=, answered = std::move(answered)] {
        std::optional<std::string> output =
            posix::AskProgram(program, arguments, folder, mostBytes, mostMilliseconds, cancelled_.get());
        // Posted before this object can go: its destructor waits for the thread.
        QMetaObject::invokeMethod(this, [this, answered, output = std::move(output)]() mutable {
            answered(std::move(output));
            deleteLater();
        }, Qt::QueuedConnection);
    });
}

ProgramQuestion::~ProgramQuestion() {
    const char stop = 1;
    // A full pipe has a byte in it already: the thread wakes either way.
    if (cancel_) [[maybe_unused]] const ssize_t sent = write(cancel_.get(), &stop, 1);
    thread_.join();
}

}  // namespace tarvo
