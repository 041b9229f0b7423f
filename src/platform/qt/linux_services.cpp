#include "linux_services.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "ini_settings.h"
#include "posix_files.h"
#include "posix_start.h"
#include "single_instance.h"
#include "wine.h"
#include "wine_path.h"

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

}  // namespace

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
    : environment_(std::move(environment)), instance_(instance) {}

std::optional<std::string> LinuxServices::ReadSetting(const std::string& key) {
    return ReadIniSetting(environment_.settingsFile, "Settings", key);
}

bool LinuxServices::ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) {
    return posix::ListFiles(folder, patterns, names);
}

std::string LinuxServices::FirstOrdinaryFile(const std::string& folder) { return posix::FirstOrdinaryFile(folder); }

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
    std::vector<std::string> arguments;
    if (!request.parameters.empty()) arguments.push_back(request.parameters);
    if (!posix::IsWindowsProgram(request.program)) return Start(request.program, arguments, request.workingFolder);
    const std::string wine = posix::FindOnPath("wine");
    if (wine.empty()) return StartResult::Failed("Wine is needed to start Windows emulators, and there is no wine on PATH.");
    arguments.insert(arguments.begin(), request.program);
    // A ROM path goes to the emulator as Wine names it, so that it can open
    // the file wherever Tarvo lives.
    if (arguments.size() < 2 || arguments[1].front() != '/') return Start(wine, arguments, request.workingFolder);
    if (posix::DriveZIsRoot()) {
        arguments[1] = posix::OnDriveZ(arguments[1]);
        return Start(wine, arguments, request.workingFolder);
    }
    new WinePathConversion(
        processes_, arguments[1],
        [this, request, wine, arguments](const std::string& windowsPath) mutable {
            arguments[1] = windowsPath;
            const StartResult result = Start(wine, arguments, request.workingFolder);
            if (reports_) reports_->StartFinished(request, result);
        });
    return StartResult::Pending();
}

StartResult LinuxServices::Start(const std::string& program, const std::vector<std::string>& arguments,
                                 const std::string& folder) {
    posix::Child child;
    const StartResult result = posix::StartChild(program, arguments, folder, child);
    if (result.watched) {
        processes_.Watch(std::move(child), [this] {
            if (reports_) reports_->ProgramEnded();
        });
    }
    return result;
}

}  // namespace tarvo
