#pragma once
// Programs on Windows: started through the shell (ShellExecuteEx: file,
// one parameter string, working folder, shown normally), each put into a
// job of its own as it starts and watched until the job is empty; asked
// hidden, through a pipe.

#include "os/programs.h"
#include "os/window_thread.h"
#include "process_watch.h"

namespace tarvo::win32 {

class WindowsLauncher : public Launcher {
public:
    explicit WindowsLauncher(WindowThread& window) : watch_(window) {}

    // Windows programs take Windows paths as they are.
    std::function<std::string(const std::string& path)> PathsFor(const StartRequest&, const Cancellable&) override { return {}; }
    Launch Start(const StartRequest& request, const Cancellable& cancel) override;
    bool Watch(std::unique_ptr<StartedProgram> program, std::function<void(const ProgramOutcome&)> ended) override;
    void EndAll(bool forced) override { watch_.EndAll(forced); }
    bool Ask(const Question& question, const std::function<void(std::string_view)>& output,
             const Cancellable& cancel) override;

private:
    // CreateProcess's error, or ERROR_SUCCESS with the program in its job and running.
    DWORD StartSuspendedInJob(const std::wstring& file, const std::wstring& parameters, const std::wstring& folder,
                              StartedProgram& program);
    ProcessWatch watch_;
};

}  // namespace tarvo::win32
