#include "linux_launcher.h"

#include <signal.h>
#include <sys/wait.h>

#include <cctype>

#include "ask_program.h"
#include "posix_start.h"
#include "process_tree.h"
#include "wine.h"

namespace tarvo {

namespace {

// What winepath may take to name a path.
constexpr std::size_t kMostWinepathBytes = 64 * 1024;
constexpr int kWinepathMs = 2000;

struct Started : StartedProgram {
    posix::Child child;
    std::set<pid_t> before;  // Tarvo's children as it started: not the game's
    std::unique_ptr<posix::GameOutput> output;
};

ProgramOutcome OutcomeOf(int status, std::string lastLines) {
    ProgramOutcome outcome;
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    outcome.lastLines = std::move(lastLines);
    return outcome;
}

}  // namespace

LinuxLauncher::Command LinuxLauncher::CommandFor(const StartRequest& request) {
    Command command{request.program, request.arguments, {}};
    if (command.arguments.empty() && !request.parameters.empty()) command.arguments.push_back(request.parameters);
    if (!files_.IsWindowsProgram(request.program)) return command;
    command.program = posix::FindOnPath("wine");
    if (command.program.empty()) command.failure = "Wine is needed to start Windows emulators, and there is no wine on PATH.";
    command.arguments.insert(command.arguments.begin(), request.program);
    return command;
}

std::string LinuxLauncher::WindowsPathOf(const std::string& path, const Cancellable& cancel) {
    if (posix::DriveZIsRoot()) return posix::OnDriveZ(path);
    // A prefix whose drives the user changed: Wine's own winepath says.
    const std::string winepath = posix::FindOnPath("winepath");
    std::string said;
    if (winepath.empty() || !posix::AskProgram(winepath, {"-w", path}, "/", kMostWinepathBytes, kWinepathMs,
                                               [&](std::string_view piece) { said.append(piece); }, cancel)) {
        return path;
    }
    while (!said.empty() && std::isspace(static_cast<unsigned char>(said.back()))) said.pop_back();
    return said.empty() ? path : said;
}

std::function<std::string(const std::string& path)> LinuxLauncher::PathsFor(const StartRequest& request,
                                                                            const Cancellable& cancel) {
    // A Windows emulator opens a file by the name Wine gives it, wherever Tarvo lives.
    if (!files_.IsWindowsProgram(request.program)) return {};
    return [&cancel](const std::string& path) { return WindowsPathOf(path, cancel); };
}

Launcher::Launch LinuxLauncher::Start(const StartRequest& request, const Cancellable& cancel) {
    Command command = CommandFor(request);
    if (!command.failure.empty()) return {StartResult::Failed(command.failure), nullptr};
    if (cancel.Cancelled()) return {StartResult::Failed("Tarvo is closing"), nullptr};  // no game after Tarvo
    auto started = std::make_unique<Started>();
    started->before = posix::ChildrenNow();
    started->output = posix::GameOutput::Open(window_);
    const posix::Streams streams = started->output ? started->output->ForTheGame() : posix::Streams{};
    const StartResult result =
        posix::StartChild(command.program, command.arguments, request.workingFolder, started->child, streams);
    if (!result.started) return {result, nullptr};
    return {result, std::move(started)};
}

bool LinuxLauncher::Watch(std::unique_ptr<StartedProgram> program, std::function<void(const ProgramOutcome&)> ended) {
    auto& started = static_cast<Started&>(*program);
    outputs_.remove_if([](const auto& output) { return output->Finished(); });
    posix::GameOutput* output = started.output.get();
    if (output) {
        output->Started();
        outputs_.push_back(std::move(started.output));
    }
    watch_.Watch(std::move(started.child), started.before, [output, ended = std::move(ended)](int status) {
        if (!output) return ended(OutcomeOf(status, {}));
        output->AfterTheEnd([status, ended](std::string lastLines) { ended(OutcomeOf(status, std::move(lastLines))); });
    });
    return true;
}

void LinuxLauncher::EndAll(bool forced) { watch_.SignalAll(forced ? SIGKILL : SIGTERM); }

bool LinuxLauncher::Ask(const Question& question, const std::function<void(std::string_view)>& output,
                        const Cancellable& cancel) {
    const Command command = CommandFor(question.request);
    const bool answered = command.failure.empty() &&
                          posix::AskProgram(command.program, command.arguments, question.request.workingFolder,
                                            question.mostBytes, question.mostMilliseconds, output, cancel);
    window_.Post([this] { watch_.WatchLeftBehind(); });  // Wine's server, for a Windows program
    return answered;
}

}  // namespace tarvo
