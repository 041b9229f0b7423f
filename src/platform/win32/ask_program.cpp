#include "ask_program.h"

#include <atomic>

#include "owned.h"
#include "text/utf8.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

// How long a wait goes before it asks whether it is still wanted.
constexpr DWORD kAskEveryMs = 100;

// Hands on whole lines as UTF-8.
class Lines {
public:
    explicit Lines(const std::function<void(std::string_view)>& output) : output_(output) {}
    void Add(std::string_view text) {
        for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
            line_.append(text.substr(0, end + 1));
            Flush();
        }
        line_.append(text);
    }
    void Flush() {
        if (line_.empty()) return;
        if (IsValidUtf8(line_)) {
            output_(line_);
        } else {
            const int length = MultiByteToWideChar(CP_ACP, 0, line_.data(), static_cast<int>(line_.size()), nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(length), L'\0');
            MultiByteToWideChar(CP_ACP, 0, line_.data(), static_cast<int>(line_.size()), wide.data(), length);
            output_(Narrow(wide));
        }
        line_.clear();
    }

private:
    const std::function<void(std::string_view)>& output_;
    std::string line_;
};

}  // namespace

bool AskProgram(std::wstring commandLine, const std::wstring& folder, std::size_t mostBytes, DWORD mostMilliseconds,
                const std::function<void(std::string_view)>& output, const Cancellable& cancel) {
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
        return false;
    }
    const UniqueHandle process(started.hProcess), thread(started.hThread);
    const bool inJob = AssignProcessToJobObject(job.get(), process.get()) != FALSE;
    ResumeThread(thread.get());
    theirs.reset();
    nothing.reset();

    Lines lines(output);
    std::size_t total = 0;
    char buffer[1 << 16];
    const UniqueHandle readDone(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ULONGLONG deadline = GetTickCount64() + mostMilliseconds;
    bool ended = false, reading = false, open = true;
    OVERLAPPED read{};
    read.hEvent = readDone.get();
    while (!ended && total <= mostBytes && !cancel.Cancelled()) {
        if (open && !reading) {
            reading = ReadFile(ours.get(), buffer, sizeof buffer, nullptr, &read) || GetLastError() == ERROR_IO_PENDING;
            open = reading;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) break;
        const HANDLE waited[] = {process.get(), readDone.get()};
        const DWORD woke = WaitForMultipleObjects(reading ? 2 : 1, waited, FALSE, DWORD(std::min<ULONGLONG>(deadline - now, kAskEveryMs)));
        if (woke == WAIT_FAILED) break;
        ended = woke == WAIT_OBJECT_0;
        DWORD got = 0;
        if (reading && GetOverlappedResult(ours.get(), &read, &got, ended ? FALSE : (woke == WAIT_OBJECT_0 + 1))) {
            total += got;
            if (total <= mostBytes) lines.Add(std::string_view(buffer, got));
            reading = false;
        } else if (reading && GetLastError() != ERROR_IO_INCOMPLETE) {
            reading = open = false;  // the pipe's end
        }
    }
    DWORD got = 0;
    if (reading) CancelIoEx(ours.get(), &read), GetOverlappedResult(ours.get(), &read, &got, TRUE);
    if (!ended || total > mostBytes) {
        // The job, closing, ends what still runs; without one, the program is ended here.
        if (!inJob) TerminateProcess(process.get(), 1);
        return false;
    }
    // What it printed last, still in the pipe: all of it counts, whatever its end.
    for (DWORD waiting = 0; PeekNamedPipe(ours.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0;) {
        OVERLAPPED last{};
        last.hEvent = readDone.get();
        if (!ReadFile(ours.get(), buffer, sizeof buffer, nullptr, &last) && GetLastError() != ERROR_IO_PENDING) break;
        if (!GetOverlappedResult(ours.get(), &last, &got, TRUE)) break;
        total += got;
        if (total > mostBytes) return false;
        lines.Add(std::string_view(buffer, got));
    }
    lines.Flush();
    DWORD exitCode = 1;
    return GetExitCodeProcess(process.get(), &exitCode) && exitCode == 0;
}

}  // namespace tarvo::win32
