#include "windows_instance.h"

#include "wide_text.h"

namespace tarvo::win32 {

namespace {
constexpr UINT kAnswerWithinMs = 2000;
}  // namespace

WindowsInstance::WindowsInstance(const std::wstring& mutex)
    // Held until this instance ends; claimed at once, so that a start while
    // this one still starts up (or shows its message) finds it.
    : mutex_(CreateMutexW(nullptr, FALSE, mutex.c_str())), another_(GetLastError() == ERROR_ALREADY_EXISTS) {}

void WindowsInstance::HandCaption(const std::string& caption) {
    const std::wstring text = Widen(caption);
    HWND other = FindWindowW(nullptr, text.c_str());
    if (!other) return;
    // This start came from the user: the running Tarvo may take the front.
    DWORD process = 0;
    GetWindowThreadProcessId(other, &process);
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{kCaptionTag, static_cast<DWORD>(text.size() * sizeof(wchar_t)), const_cast<wchar_t*>(text.data())};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(other, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerWithinMs, &answer);
}

std::optional<std::string> WindowsInstance::CaptionIn(const COPYDATASTRUCT& data) {
    // From another program: only a caption's length of UTF-16 counts.
    if (data.dwData != kCaptionTag || data.cbData % sizeof(wchar_t) != 0 ||
        data.cbData > kLongestCaption * sizeof(wchar_t) || (data.cbData > 0 && !data.lpData)) {
        return std::nullopt;
    }
    return Narrow(std::wstring_view(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t)));
}

}  // namespace tarvo::win32
