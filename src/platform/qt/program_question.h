#pragma once
// A program asked for what it prints (posix::AskProgram) on a thread of
// its own, its answer handed to the window's thread.

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "owned.h"

namespace tarvo {

class ProgramQuestion : public QObject {
public:
    using Answered = std::function<void(std::optional<std::string> output)>;
    // answered is called once, from the event loop; the question then
    // deletes itself. Deleted sooner (Tarvo ends), it ends the program.
    ProgramQuestion(QObject* parent, std::string program, std::vector<std::string> arguments, std::string folder,
                    std::size_t mostBytes, int mostMilliseconds, Answered answered);
    ~ProgramQuestion() override;

private:
    posix::UniqueFd cancel_, cancelled_;  // a pipe: written to, the program is ended
    std::thread thread_;
};

}  // namespace tarvo
