#include "program_question.h"

#include <atomic>

#include "text/utf8.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

constexpr UINT kAnswered = WM_APP;

// Text as UTF-8: as it is when it is UTF-8, else read in the system's code
// page (as older Windows programs print).
std::string AsUtf8(std::string text) {
    if (IsValidUtf8(text)) return text;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return Narrow(wide);
}

// The program's output, read through our end of a pipe until the program
// ends, within the limits; nothing otherwise.
std::optional<std::string> Ask(std::wstring commandLine, const std::wstring& folder, std::size_t mostBytes,
                               DWORD mostMilliseconds, HANDLE cancel) {
    static std::atomic<unsigned> counter{0};
    const std::wstring name = L"\\\\.\\pipe\\Tarvo.Question." + std::to_wstring(GetCurrentProcessId()) + L"." +
                              std::to_wstring(counter++);
    const UniqueHandle ours = OwnHandle(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED |
                                                                           FILE_FLAG_FIRST_PIPE_INSTANCE,
                                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 1 << 16, 0, nullptr));
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    UniqueHandle theirs = OwnHandle(CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0, nullptr));
    UniqueHandle nothing = OwnHandle(
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr));
    // Whatever the program starts ends with it.
    const UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nothing.get();
    startup.hStdOutput = theirs.get();
    startup.hStdError = nothing.get();
    PROCESS_INFORMATION started{};
    if (!ours || !theirs || !nothing || !job ||
        !SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                        folder.c_str(), &startup, &started)) {
        return std::nullopt;
    }
    const UniqueHandle process(started.hProcess), thread(started.hThread);
    AssignProcessToJobObject(job.get(), process.get());
    ResumeThread(thread.get());
    theirs.reset();
    nothing.reset();

    std::string output;
    char buffer[1 << 16];
    const UniqueHandle readDone(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ULONGLONG deadline = GetTickCount64() + mostMilliseconds;
    bool ended = false, reading = false, open = true;
    OVERLAPPED read{};
    read.hEvent = readDone.get();
    while (!ended && output.size() <= mostBytes) {
        if (open && !reading) {
            reading = ReadFile(ours.get(), buffer, sizeof buffer, nullptr, &read) || GetLastError() == ERROR_IO_PENDING;
            open = reading;
        }
        const ULONGLONG now = GetTickCount64();
        const HANDLE waited[] = {cancel, process.get(), readDone.get()};
        const DWORD woke = now >= deadline ? WAIT_TIMEOUT
                                           : WaitForMultipleObjects(reading ? 3 : 2, waited, FALSE, DWORD(deadline - now));
        if (woke == WAIT_OBJECT_0 || woke == WAIT_TIMEOUT || woke == WAIT_FAILED) break;
        ended = woke == WAIT_OBJECT_0 + 1;
        DWORD got = 0;
        if (reading && GetOverlappedResult(ours.get(), &read, &got, ended ? FALSE : TRUE)) {
            output.append(buffer, got);
            reading = false;
        } else if (reading && GetLastError() != ERROR_IO_INCOMPLETE) {
            reading = open = false;  // the pipe's end
        }
    }
    DWORD got = 0;
    if (reading) CancelIoEx(ours.get(), &read), GetOverlappedResult(ours.get(), &read, &got, TRUE);
    DWORD exitCode = 1;
    if (!ended || output.size() > mostBytes || !GetExitCodeProcess(process.get(), &exitCode) || exitCode != 0) {
        return std::nullopt;  // the job, closing, ends what still runs
    }
    // What it printed last, still in the pipe.
    for (DWORD waiting = 0; PeekNamedPipe(ours.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0;) {
        OVERLAPPED last{};
        last.hEvent = readDone.get();
        if (!ReadFile(ours.get(), buffer, sizeof buffer, nullptr, &last) && GetLastError() != ERROR_IO_PENDING) break;
        if (!GetOverlappedResult(ours.get(), &last, &got, TRUE)) break;
        output.append(buffer, got);
        if (output.size() > mostBytes) return std::nullopt;
    }
    return AsUtf8(std::move(output));
}

}  // namespace

ProgramQuestion::ProgramQuestion(std::wstring commandLine, std::wstring folder, std::size_t mostBytes,
                                 DWORD mostMilliseconds, Answered answered)
    : answered_(std::move(answered)),
      cancel_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      window_([this](UINT, WPARAM, LPARAM) {
          thread_.join();
          answered_(std::move(output_));
      }) {
    thread_ = std::thread([this, commandLine = std::move(commandLine), folder = std::move(folder), mostBytes,
                           mostMilliseconds] {
        output_ = Ask(commandLine, folder, mostBytes, mostMilliseconds, cancel_.get());
        PostMessageW(window_.Handle(), kAnswered, 0, 0);
    });
}

ProgramQuestion::~ProgramQuestion() {
    if (!thread_.joinable()) return;  // answered
    SetEvent(cancel_.get());
    thread_.join();
}

}  // namespace tarvo::win32
