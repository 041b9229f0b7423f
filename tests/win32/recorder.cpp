// A stand-in emulator: writes what followed its name on the command line and
// its working folder, as UTF-8 lines, to launched.txt beside itself.
#include <windows.h>

#include <string>

#include "command_line.h"
#include "wide_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using tarvo::win32::Narrow;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.rfind(L'\\') + 1);
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::string record =
        Narrow(tarvo::win32::CommandLineTail(GetCommandLineW())) + "\n" + Narrow(current) + "\n";
    const std::wstring temporary = folder + L"launched.tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(temporary.c_str(), (folder + L"launched.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
