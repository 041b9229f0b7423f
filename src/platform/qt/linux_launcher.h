#pragma once
// Programs on Linux: started without a shell, with exactly the arguments
// given; a Windows program (one that begins with MZ, whatever its name)
// under wine from PATH, told paths as Wine names them; watched until they
// and all they start have ended. What a game prints passes through Tarvo,
// which keeps its last lines.

#include <list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "os/files.h"
#include "os/programs.h"
#include "os/window_thread.h"
#include "game_output.h"
#include "process_watch.h"

namespace tarvo {

class LinuxLauncher : public Launcher {
public:
    // pidfds: false to tell ends by asking now and then, as where the
    // system has none.
    LinuxLauncher(Files& files, WindowThread& window, bool pidfds = true) : files_(files), window_(window), watch_(pidfds) {}

    std::function<std::string(const std::string& path)> PathsFor(const StartRequest& request,
                                                                 const Cancellable& cancel) override;
    Launch Start(const StartRequest& request, const Cancellable& cancel) override;
    bool Watch(std::unique_ptr<StartedProgram> program, std::function<void(const ProgramOutcome&)> ended) override;
    void EndAll(bool forced) override;
    bool Ask(const Question& question, const std::function<void(std::string_view)>& output,
             const Cancellable& cancel) override;

private:
    // How a program runs here: directly, or under wine.
    struct Command {
        std::string program;
        std::vector<std::string> arguments;
        std::string failure;  // why it cannot run, if it cannot
    };
    Command CommandFor(const StartRequest& request);
    // The path as the Wine prefix in use names it; as it is where that cannot be told.
    static std::string WindowsPathOf(const std::string& path, const Cancellable& cancel);

    Files& files_;
    WindowThread& window_;
    ProcessWatch watch_;
    // The games' output, until all of it has been passed on.
    std::list<std::unique_ptr<posix::GameOutput>> outputs_;
};

}  // namespace tarvo
