#include "windows_launcher.h"

#include <shellapi.h>

#include "ask_program.h"
#include "launch/batch_files.h"
#include "on_demand.h"
#include "owned.h"
#include "wide_text.h"
#include "windows_host.h"

namespace tarvo::win32 {

namespace {

struct Started : StartedProgram {
    UniqueHandle process, job;
    ULONG_PTR key = 0;
};

// winerror.h's ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kElevationRequired = 740;

bool EndsWithExe(const std::wstring& file) {
    if (file.size() <= 4) return false;
    std::wstring tail = file.substr(file.size() - 4);
    for (wchar_t& c : tail) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    return tail == L".exe";
}

}  // namespace

DWORD WindowsLauncher::StartSuspendedInJob(const std::wstring& file, const std::wstring& parameters,
                                           const std::wstring& folder, StartedProgram& program) {
    auto& started = static_cast<Started&>(program);
    std::wstring line = L"\"" + file + L"\"" + (parameters.empty() ? L"" : L" " + parameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION made{};
    if (!CreateProcessW(file.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_DEFAULT_ERROR_MODE,
                        nullptr, folder.c_str(), &startup, &made)) {
        return GetLastError();
    }
    started.process.reset(made.hProcess);
    const UniqueHandle thread(made.hThread);
    started.job = watch_.JobFor(made.hProcess, started.key);  // without one, its own end is waited for
    ResumeThread(thread.get());
    return ERROR_SUCCESS;
}

Launcher::Launch WindowsLauncher::Start(const StartRequest& request, const Cancellable&) {
    std::wstring file = Widen(request.program);
    std::wstring parameters = Widen(request.parameters);
    if (IsBatchFile(request.program)) {  // by the system's interpreter, told the parameters as they are
        const CmdLine cmd = CmdLineFor(request.program, request.parameters);
        if (!cmd.error.empty()) return {StartResult::Failed(cmd.error), nullptr};
        file = InSystemFolder(L"cmd.exe");
        parameters = Widen(cmd.parameters);
    }
    const std::wstring folder = Widen(request.workingFolder);
    // The shell takes paths of up to MAX_PATH characters; a longer one can
    // crash it.
    if (file.size() >= MAX_PATH || folder.size() >= MAX_PATH) {
        return {StartResult::Failed(SystemMessage(ERROR_FILENAME_EXCED_RANGE)), nullptr};
    }
    auto started = std::make_unique<Started>();
    // A program starts suspended, goes into its job, and only then runs:
    // nothing it starts can escape the job, however soon it starts it.
    const DWORD error = StartSuspendedInJob(file, parameters, folder, *started);
    if (error == ERROR_SUCCESS) return {StartResult::Started(true), std::move(started)};
    // Only the shell opens what is no program of its own (a shortcut), or
    // asks for the rights a program's manifest wants.
    if (error != kElevationRequired && error != ERROR_BAD_EXE_FORMAT && EndsWithExe(file)) {
        return {StartResult::Failed(SystemMessage(error)), nullptr};
    }
    static const auto shellExecute = OnDemand<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    if (!shellExecute) return {StartResult::Failed(SystemMessage(ERROR_PROC_NOT_FOUND)), nullptr};
    // The shell may hand the start to a COM handler: COM for this thread,
    // while it lives.
    thread_local const ThreadCom com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;  // its handle to wait on; Tarvo's own message
    start.lpFile = file.c_str();
    start.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    start.lpDirectory = folder.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!shellExecute(&start)) return {StartResult::Failed(SystemMessage(GetLastError())), nullptr};
    // A start the shell handed to a running program comes without a process.
    if (!start.hProcess) return {StartResult::Started(false), nullptr};
    started->process.reset(start.hProcess);
    // As soon as the shell lets go of it; what it started meanwhile is not waited for.
    started->job = watch_.JobFor(started->process.get(), started->key);
    return {StartResult::Started(true), std::move(started)};
}

bool WindowsLauncher::Watch(std::unique_ptr<StartedProgram> program, std::function<void(const ProgramOutcome&)> ended) {
    auto& started = static_cast<Started&>(*program);
    // Its output is its own: a program the shell starts keeps the console
    // it makes, or none.
    return watch_.Watch(std::move(started.process), std::move(started.job), started.key,
                        [ended = std::move(ended)](DWORD exitCode) {
                            ProgramOutcome outcome;
                            outcome.exitCode = static_cast<int>(exitCode);
                            ended(outcome);
                        });
}

bool WindowsLauncher::Ask(const Question& question, const std::function<void(std::string_view)>& output,
                          const Cancellable& cancel) {
    const std::wstring line = L"\"" + Widen(question.request.program) + L"\" " + Widen(question.request.parameters);
    return AskProgram(line, Widen(question.request.workingFolder), question.mostBytes,
                      static_cast<DWORD>(question.mostMilliseconds), output, cancel);
}

}  // namespace tarvo::win32
