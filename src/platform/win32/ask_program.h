#pragma once
// Asking a program for what it prints, on Windows. It blocks: it is for a
// thread beside the window's.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "os/cancel.h"

namespace tarvo::win32 {

// Starts the command line hidden, without a console, standard input empty
// and standard output through a pipe, in a job of its own, and hands on
// what it prints as it comes, line by line, as UTF-8 (a line that is not
// UTF-8 read in the system's code page, as older Windows programs print),
// to its end. True when it ran to its end and exited with 0. It is ended with all it
// started when it prints more than mostBytes, takes longer than
// mostMilliseconds or is cancelled; so too when Tarvo ends, where the job
// could be had.
bool AskProgram(std::wstring commandLine, const std::wstring& folder, std::size_t mostBytes, DWORD mostMilliseconds,
                const std::function<void(std::string_view)>& output, const Cancellable& cancel);

}  // namespace tarvo::win32
