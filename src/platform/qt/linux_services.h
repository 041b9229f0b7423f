#pragma once
// The Linux services: POSIX files and processes, the Tarvo.conf settings,
// Qt's message box and local socket.

#include <string>
#include <vector>

#include "os/folder_readings.h"
#include "os/services.h"
#include "process_watch.h"

namespace tarvo {

class SingleInstance;

struct LinuxEnvironment {
    std::string executableFolder;
    std::string commandLine;   // argv[1..] joined by single blanks
    std::string settingsFile;  // $XDG_CONFIG_HOME/Tarvo/Tarvo.conf

    static LinuxEnvironment FromProcess(int argc, char** argv);
};

class LinuxServices : public Services {
public:
    LinuxServices(LinuxEnvironment environment, SingleInstance& instance);

    char Separator() const override { return '/'; }
    bool ProgramsCarryExe() const override { return false; }
    std::string ExecutableFolder() override { return environment_.executableFolder; }
    std::string CommandLine() override { return environment_.commandLine; }
    std::optional<std::string> ReadSetting(const std::string& key) override;
    std::optional<std::string> ReadSettingsFile(const std::string& path) override;
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) override;
    void StartReading(const FolderReading& reading) override { readings_.Start(reading); }
    std::optional<std::uint64_t> FileLength(const std::string& path) override;
    bool IsExecutableFile(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool PreviousInstanceRunning() override;
    void ActivatePreviousInstance(const std::string& caption) override;
    std::int64_t Now() override;
    StartResult StartProgram(const StartRequest& request) override;
    void AskProgram(const Question& question) override;
    void ReportTo(ProgramReports* reports) override { reports_ = reports; }

private:
    // How a program runs here: directly, or a Windows program (one that
    // begins with MZ, whatever its name) under wine from PATH.
    struct Command {
        std::string program;
        std::vector<std::string> arguments;
        std::string failure;  // why it cannot run, if it cannot
    };
    static Command CommandFor(const StartRequest& request);
    StartResult Start(const Command& command, const std::string& folder);

    LinuxEnvironment environment_;
    SingleInstance& instance_;
    ProgramReports* reports_ = nullptr;
    ProcessWatch processes_;  // the started programs, and the programs asked meanwhile
    FolderReadings readings_;  // after processes_, whose events bring its news: goes first
};

}  // namespace tarvo
