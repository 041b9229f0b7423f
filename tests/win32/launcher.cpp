// A stand-in launcher: starts game.exe beside itself with its own
// parameters, detached from it, and ends at once.
#include <windows.h>

#include <string>

#include "command_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring game(self);
    game.resize(game.rfind(L'\\') + 1);
    std::wstring line = L"\"" + game + L"game.exe\" " + tarvo::win32::CommandLineTail(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP,
                        nullptr, nullptr, &startup, &process)) {
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
