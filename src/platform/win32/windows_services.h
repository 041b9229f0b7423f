#pragma once
// The Windows services, all through the wide (UTF-16) calls.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "message_window.h"
#include "on_demand.h"
#include "ordinary_file.h"
#include "text/ini.h"
#include "os/folder_readings.h"
#include "os/services.h"
#include "owned.h"
#include "process_watch.h"
#include "program_question.h"

namespace tarvo::win32 {

struct WindowsEnvironment {
    std::string executableFolder;
    std::string commandLine;
    std::wstring settingsKey = L"Software\\VB and VBA Program Settings\\Tarvo\\Settings";  // under HKCU
    std::wstring instanceMutex = L"Local\\Tarvo.GenericFrontend";

    static WindowsEnvironment FromProcess();
};

// One FindFirstFileEx pass over a folder, as Services::ListFiles says;
// found hears the count of names after each one found; holdsFiles learns
// whether the folder holds a visible ordinary file at all.
bool ListMatchingFiles(const std::string& folder, const WildcardSet& patterns, NameList& names,
                       const std::function<void(std::size_t found)>& found, bool* holdsFiles);

// The system's words for an error code.
std::string SystemMessage(DWORD code);
// Tarvo's message: exclamation icon, OK, title "Tarvo"; over owner, which
// takes no input meanwhile, when there is one.
void ShowMessage(HWND owner, const std::string& text);

class WindowsServices : public Services {
public:
    WindowsServices(WindowsEnvironment environment, ComScope& com);
    WindowsServices(const WindowsServices&) = delete;
    WindowsServices& operator=(const WindowsServices&) = delete;

    char Separator() const override { return '\\'; }
    bool ProgramsCarryExe() const override { return true; }
    std::string ExecutableFolder() override { return environment_.executableFolder; }
    std::string CommandLine() override { return environment_.commandLine; }
    std::optional<std::string> ReadSetting(const std::string& key) override;
    std::optional<std::string> ReadSettingsFile(const std::string& path) override {
        return ReadOrdinaryFile(path, kMostSettingsBytes);
    }
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) override;
    void StartReading(const FolderReading& reading) override { readings_.Start(reading); }
    std::optional<std::uint64_t> FileLength(const std::string& path) override;
    bool IsExecutableFile(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool PreviousInstanceRunning() override { return previousInstance_; }
    void ActivatePreviousInstance(const std::string& caption) override;
    std::int64_t Now() override { return static_cast<std::int64_t>(GetTickCount64()); }
    StartResult StartProgram(const StartRequest& request) override;
    void AskProgram(const Question& question) override;
    void ReportTo(ProgramReports* reports) override { reports_ = reports; }

    // Lets a later start run, though this one has not ended yet.
    void ReleaseInstanceClaim() { instanceMutex_.reset(); }

private:
    WindowsEnvironment environment_;
    ComScope& com_;
    UniqueHandle instanceMutex_;
    bool previousInstance_;
    MessageWindow readingsWindow_;  // where readings' news is handed on
    FolderReadings readings_;       // after its window: goes first
    ProgramReports* reports_ = nullptr;
    ProcessWatch processes_{[this] {
        if (reports_) reports_->ProgramEnded();
    }};
    std::unique_ptr<ProgramQuestion> question_;
};

}  // namespace tarvo::win32
