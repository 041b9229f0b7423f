#include "linux_services.h"

#include <unistd.h>

#include <QMessageBox>
#include <cstdlib>

#include "ini_settings.h"
#include "posix_files.h"
#include "posix_start.h"
#include "single_instance.h"
#include "text/utf8.h"
#include "ui/design.h"

namespace tarvo {

namespace {

std::string ExecutableFolderOfThisProcess() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return "./";
    path.resize(static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

// The path as Wine's programs name it ("Z:\..."), or as it is when winepath
// cannot say.
std::string WinePath(const std::string& path) {
    std::string windows = posix::OutputOf(posix::FindOnPath("winepath"), {"-w", path}).value_or("");
    while (!windows.empty() && (windows.back() == '\n' || windows.back() == '\r')) windows.pop_back();
    return windows.empty() ? path : windows;
}

bool IsWindowsProgram(const std::string& path) {
    return path.size() >= 4 && EqualsIgnoreCase(std::string_view(path).substr(path.size() - 4), ".exe");
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

bool LinuxServices::PreviousInstanceRunning() { return instance_.AnotherIsRunning(); }

void LinuxServices::ActivatePreviousInstance(const std::string& caption) { instance_.SendCaption(caption); }

void LinuxServices::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, design::kTitle, QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

StartResult LinuxServices::StartProgram(const StartRequest& request) {
    std::vector<std::string> arguments;
    if (!request.parameters.empty()) arguments.push_back(request.parameters);
    if (!IsWindowsProgram(request.program)) return posix::StartDetached(request.program, arguments, request.workingFolder);
    // A Windows emulator runs under Wine, and a ROM path goes to it as Wine
    // names it, so it can open the file wherever Tarvo lives.
    const std::string wine = posix::FindOnPath("wine");
    if (wine.empty()) return {false, "Wine is needed to start Windows emulators, and there is no wine on PATH."};
    if (!arguments.empty() && arguments[0].front() == '/') arguments[0] = WinePath(arguments[0]);
    arguments.insert(arguments.begin(), request.program);
    return posix::StartDetached(wine, arguments, request.workingFolder);
}

}  // namespace tarvo
