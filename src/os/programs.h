#pragma once
// Programs Tarvo starts (an emulator with a ROM) or asks (MAME for its
// titles): the platform's part, which may block, done beside the window's
// thread; the watch of a started program on the window's thread.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "os/cancel.h"

namespace tarvo {

struct StartRequest {
    std::string program;        // never relative: resolved before the start
    std::string parameters;     // one text; empty means no parameters at all
    std::string workingFolder;
    std::string rom;            // the ROM's file, checked before the start; empty for none
    // The parameters one by one, where the system takes them so (Linux);
    // none: the parameter string is the one argument.
    std::vector<std::string> arguments = {};
    // The emulator's own arguments, placeholders and all ("args"), to be
    // filled in beside the window's thread; and whether the parameter
    // string names a file (not an arcade set).
    std::string argsSetting = {};
    bool parameterIsPath = true;
};

struct StartResult {
    bool started = false;
    std::string error;     // why not, in the system's words or Tarvo's
    bool watched = false;  // started, and its end will be told

    static StartResult Started(bool watched) { return {true, {}, watched}; }
    static StartResult Failed(std::string why) { return {false, std::move(why), false}; }
};

// A program asked for what it prints: started as a StartRequest says, with
// standard input closed and no window, and ended (with all it started)
// when it prints more than mostBytes or takes longer than
// mostMilliseconds.
struct Question {
    StartRequest request;
    std::size_t mostBytes;
    int mostMilliseconds;
};

// How a watched program ended: its own process's end, and what it printed
// last where that could be kept on its way (Linux: standard output and
// error, which still go where Tarvo's go).
struct ProgramOutcome {
    int exitCode = 0;
    int signal = 0;  // that ended it, or 0
    std::string lastLines;
};

// The platform's hold on a started program, until it is watched.
class StartedProgram {
public:
    virtual ~StartedProgram() = default;
};

class Launcher {
public:
    virtual ~Launcher() = default;

    struct Launch {
        StartResult result;
        std::unique_ptr<StartedProgram> program;  // to watch; none when its end cannot be told
    };
    // Beside the window's thread: how the program must be told a path (a
    // Windows program on Linux: as Wine names it); none when as it is.
    virtual std::function<std::string(const std::string& path)> PathsFor(const StartRequest& request,
                                                                         const Cancellable& cancel) = 0;
    // Beside the window's thread: starts the program without waiting for
    // it, its window shown normally (a Windows program on Linux through
    // Wine).
    virtual Launch Start(const StartRequest& request, const Cancellable& cancel) = 0;
    // On the window's thread: watches a program Start started, and all it
    // starts, without polling; ended() once they all have ended. False when
    // its end cannot be told.
    virtual bool Watch(std::unique_ptr<StartedProgram> program, std::function<void(const ProgramOutcome&)> ended) = 0;
    // On the window's thread: ends the programs watched, asking them
    // politely (Linux: SIGTERM to every process of theirs; Windows:
    // WM_CLOSE to their visible windows) or, forced, at once.
    virtual void EndAll(bool forced) = 0;
    // Beside the window's thread: asks a program (as Start would start it)
    // and hands on what it prints, piece by piece; true when it ran to its
    // end and exited with 0 within the question's limits. Cancelled, it is
    // ended with all it started.
    virtual bool Ask(const Question& question, const std::function<void(std::string_view)>& output,
                     const Cancellable& cancel) = 0;
};

}  // namespace tarvo
