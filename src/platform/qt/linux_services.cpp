#include "linux_services.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

#include "text/ini.h"
#include "posix_files.h"
#include "posix_start.h"
#include "single_instance.h"
#include "program_question.h"
#include "wine.h"

namespace tarvo {

namespace {

std::string ExecutableFolderOfThisProcess() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "./";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

std::string SettingsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/Tarvo/Tarvo.conf";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/Tarvo/Tarvo.conf";
}

// What winepath may take to name a path.
constexpr std::size_t kMostWinepathBytes = 64 * 1024;
constexpr int kWinepathMs = 2000;

}  // namespace

LinuxServices::Command LinuxServices::CommandFor(const StartRequest& request) {
    Command command{request.program, {}, {}};
    if (!request.parameters.empty()) command.arguments.push_back(request.parameters);
    if (!posix::IsWindowsProgram(request.program)) return command;
    command.program = posix::FindOnPath("wine");
    if (command.program.empty()) command.failure = "Wine is needed to start Windows emulators, and there is no wine on PATH.";
    command.arguments.insert(command.arguments.begin(), request.program);
    return command;
}

LinuxEnvironment LinuxEnvironment::FromProcess(int argc, char** argv) {
    LinuxEnvironment environment;
    environment.executableFolder = ExecutableFolderOfThisProcess();
    for (int i = 1; i < argc; ++i) {
        if (i > 1) environment.commandLine += ' ';
        environment.commandLine += argv[i];
    }
    environment.settingsFile = SettingsFile();
    return environment;
}

LinuxServices::LinuxServices(LinuxEnvironment environment, SingleInstance& instance)
    : environment_(std::move(environment)),
      instance_(instance),
      readings_(posix::ListFiles, [this] {  // on a reading's thread
          QMetaObject::invokeMethod(&processes_, [this] { readings_.Deliver(reports_); }, Qt::QueuedConnection);
      }) {}

std::optional<std::string> LinuxServices::ReadSetting(const std::string& key) {
    const std::optional<std::string> text = ReadSettingsFile(environment_.settingsFile);
    return text ? IniValue(*text, "Settings", key) : std::nullopt;
}

bool LinuxServices::ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) {
    return posix::ListFiles(folder, patterns, names);
}


std::optional<std::string> LinuxServices::ReadSettingsFile(const std::string& path) {
    return posix::ReadOrdinaryFile(path, kMostSettingsBytes);
}

std::optional<std::uint64_t> LinuxServices::FileLength(const std::string& path) { return posix::FileLength(path); }

bool LinuxServices::IsExecutableFile(const std::string& path) { return posix::IsExecutableFile(path); }

bool LinuxServices::FolderExists(const std::string& path) { return posix::FolderExists(path); }

bool LinuxServices::PreviousInstanceRunning() { return instance_.AnotherIsRunning(); }

void LinuxServices::ActivatePreviousInstance(const std::string& caption) { instance_.SendCaption(caption); }

std::int64_t LinuxServices::Now() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

StartResult LinuxServices::StartProgram(const StartRequest& request) {
    Command command = CommandFor(request);
    if (!command.failure.empty()) return StartResult::Failed(command.failure);
    // A ROM path goes to a Windows emulator as Wine names it, so that it can
    // open the file wherever Tarvo lives.
    const bool romPathUnderWine =
        command.program != request.program && command.arguments.size() == 2 && command.arguments[1].front() == '/';
    if (!romPathUnderWine) return Start(command, request.workingFolder);
    if (posix::DriveZIsRoot()) {
        command.arguments[1] = posix::OnDriveZ(command.arguments[1]);
        return Start(command, request.workingFolder);
    }
    // A prefix whose drives the user changed: Wine's own winepath says, given
    // a moment beside the window; what it cannot say goes as it is.
    const std::string winepath = posix::FindOnPath("winepath");
    if (winepath.empty()) return Start(command, request.workingFolder);
    new ProgramQuestion(&processes_, winepath, {"-w", command.arguments[1]}, "/", kMostWinepathBytes, kWinepathMs,
                        [this, request, command](std::optional<std::string> windowsPath) mutable {
                            while (windowsPath && !windowsPath->empty() && std::isspace(windowsPath->back())) {
                                windowsPath->pop_back();
                            }
                            if (windowsPath && !windowsPath->empty()) command.arguments[1] = *windowsPath;
                            processes_.WatchLeftBehind();  // Wine's server, which winepath may have started
                            const StartResult result = Start(command, request.workingFolder);
                            if (reports_) reports_->StartFinished(request, result);
                        });
    return StartResult::Pending();
}

void LinuxServices::AskProgram(const Question& question) {
    const Command command = CommandFor(question.request);
    auto answered = [this](std::optional<std::string> output) {
        processes_.WatchLeftBehind();  // Wine's server, for a Windows program
        if (reports_) reports_->ProgramAnswered(std::move(output));
    };
    if (!command.failure.empty()) return answered(std::nullopt);
    new ProgramQuestion(&processes_, command.program, command.arguments, question.request.workingFolder,
                        question.mostBytes, question.mostMilliseconds, answered);
}

StartResult LinuxServices::Start(const Command& command, const std::string& folder) {
    posix::Child child;
    const StartResult result = posix::StartChild(command.program, command.arguments, folder, child);
    if (result.watched) {
        processes_.Watch(std::move(child), [this] {
            if (reports_) reports_->ProgramEnded();
        });
    }
    return result;
}

}  // namespace tarvo
