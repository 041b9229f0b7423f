#include "windows_host.h"

#include "command_line.h"
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

}  // namespace

Host WindowsHost() {
    Host host{'\\', true, ExecutableFolderOfThisProcess(), Narrow(CommandLineTail(GetCommandLineW()))};
    // Where messages send the user: the registry's key, and the read-me of the zip.
    host.settingsPlace = "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Tarvo";
    host.helpPlace = "README-Windows.txt";
    return host;
}

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

void ShowMessage(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(design::kTitle).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace tarvo::win32
