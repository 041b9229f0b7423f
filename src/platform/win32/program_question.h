#pragma once
// A program asked for what it prints, on a thread of its own: started
// hidden, without a console, standard input empty, standard output through
// a pipe, in a job that ends with it everything it started. Its answer is
// handed to the window's thread.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "message_window.h"
#include "owned.h"

namespace tarvo::win32 {

class ProgramQuestion {
public:
    using Answered = std::function<void(std::optional<std::string> output)>;
    // answered is called once, from the window's thread: the output, or
    // nothing when it could not start, exited other than with 0, printed
    // more than mostBytes or took longer than mostMilliseconds. Destroyed
    // sooner (Tarvo ends), it ends the program.
    ProgramQuestion(std::wstring commandLine, std::wstring folder, std::size_t mostBytes, DWORD mostMilliseconds,
                    Answered answered);
    ~ProgramQuestion();
    ProgramQuestion(const ProgramQuestion&) = delete;
    ProgramQuestion& operator=(const ProgramQuestion&) = delete;

private:
    Answered answered_;
    std::optional<std::string> output_;  // the thread's, until it posts
    UniqueHandle cancel_;                // an event: set, the program is ended
    MessageWindow window_;
    std::thread thread_;  // last: it uses the rest
};

}  // namespace tarvo::win32
