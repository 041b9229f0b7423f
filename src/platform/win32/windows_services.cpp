#include "windows_services.h"

#include <shellapi.h>

#include <functional>

#include "command_line.h"
#include "owned.h"
#include "ui/design.h"
#include "wide_text.h"

namespace tarvo::win32 {

namespace {

std::string ExecutableFolderOfThisProcess() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return Narrow(path.substr(0, path.rfind(L'\\') + 1));
}

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// One FindFirstFileEx pass over a folder; stops when visit returns false.
bool ForEachEntry(const std::string& folder, const std::function<bool(const WIN32_FIND_DATAW&)>& visit) {
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    const HANDLE first = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH);
    if (first == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;  // empty, but there
    const UniqueFind find(first);
    do {
        if (!IsDotOrDotDot(data.cFileName) && !visit(data)) break;
    } while (FindNextFileW(find.get(), &data));
    return true;
}

bool IsFolder(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsHidden(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

}  // namespace

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"Error " + std::to_wstring(code) + L".";
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return Narrow(message);
}

WindowsEnvironment WindowsEnvironment::FromProcess() {
    WindowsEnvironment environment;
    environment.executableFolder = ExecutableFolderOfThisProcess();
    environment.commandLine = Narrow(CommandLineTail(GetCommandLineW()));
    return environment;
}

WindowsServices::WindowsServices(WindowsEnvironment environment, ComScope& com)
    : environment_(std::move(environment)),
      com_(com),
      // Held until this instance ends; claimed at once, so that a start while
      // this one still starts up (or shows its message) finds it.
      instanceMutex_(CreateMutexW(nullptr, FALSE, environment_.instanceMutex.c_str())),
      previousInstance_(GetLastError() == ERROR_ALREADY_EXISTS),
      readingsWindow_([this](UINT, WPARAM, LPARAM) { readings_.Deliver(reports_); }),
      readings_(ListMatchingFiles, [this] { PostMessageW(readingsWindow_.Handle(), WM_APP, 0, 0); }) {}  // on a reading's thread

std::optional<std::string> WindowsServices::ReadSetting(const std::string& key) {
    const std::wstring name = Widen(key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, environment_.settingsKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, environment_.settingsKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Narrow(value);
}

bool ListMatchingFiles(const std::string& folder, const WildcardSet& patterns, NameList& names,
                       const std::function<void(std::size_t)>& found, bool* holdsFiles) {
    std::string ascii;  // an ASCII name is matched as it comes, without a conversion
    if (holdsFiles) *holdsFiles = false;
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (IsFolder(data) || IsHidden(data)) return true;
        if (holdsFiles) *holdsFiles = true;
        ascii.clear();
        for (const wchar_t* c = data.cFileName; *c && *c < 0x80; ++c) ascii += static_cast<char>(*c);
        const std::size_t before = names.size();
        if (data.cFileName[ascii.size()] == L'\0') {
            if (patterns.Matches(ascii)) names.Add(ascii);
        } else if (const std::string name = Narrow(data.cFileName); patterns.Matches(name)) {
            names.Add(name);
        }
        if (found && names.size() > before) found(names.size());
        return true;
    });
}

bool WindowsServices::ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) {
    return ListMatchingFiles(folder, patterns, names, {}, nullptr);
}

std::optional<std::uint64_t> WindowsServices::FileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool WindowsServices::IsExecutableFile(const std::string& path) { return FileLength(path).has_value(); }

bool WindowsServices::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WindowsServices::ActivatePreviousInstance(const std::string& caption) {
    HWND other = FindWindowW(nullptr, Widen(caption).c_str());
    if (!other) return;
    ShowWindow(other, SW_SHOWNORMAL);
    SetForegroundWindow(other);
}

void ShowMessage(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(design::kTitle).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

StartResult WindowsServices::StartProgram(const StartRequest& request) {
    const std::wstring file = Widen(request.program);
    const std::wstring parameters = Widen(request.parameters);
    const std::wstring folder = Widen(request.workingFolder);
    // The shell takes paths of up to MAX_PATH characters; a longer one can
    // crash it.
    if (file.size() >= MAX_PATH || folder.size() >= MAX_PATH) {
        return StartResult::Failed(SystemMessage(ERROR_FILENAME_EXCED_RANGE));
    }
    static const auto shellExecute = OnDemand<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    if (!shellExecute) return StartResult::Failed(SystemMessage(GetLastError()));
    com_.Enter();  // the shell may hand the start to a COM handler
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;  // its handle to wait on; Tarvo's own message
    start.lpFile = file.c_str();
    start.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    start.lpDirectory = folder.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!shellExecute(&start)) return StartResult::Failed(SystemMessage(GetLastError()));
    // A start the shell handed to a running program comes without a process.
    return StartResult::Started(start.hProcess && processes_.Watch(UniqueHandle(start.hProcess)));
}

void WindowsServices::AskProgram(const Question& question) {
    const std::wstring line = L"\"" + Widen(question.request.program) + L"\" " + Widen(question.request.parameters);
    question_ = std::make_unique<ProgramQuestion>(line, Widen(question.request.workingFolder), question.mostBytes,
                                                  static_cast<DWORD>(question.mostMilliseconds),
                                                  [this](std::optional<std::string> output) {
                                                      if (reports_) reports_->ProgramAnswered(std::move(output));
                                                  });
}

}  // namespace tarvo::win32
