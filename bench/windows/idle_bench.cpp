// What the window costs while it waits: Tarvo.exe's real window, in this
// process with the stand-in XInput pad plugged in, its CPU time over ten
// seconds minimised while a game it started runs (Notepad, as the "emu"
// setting: the pad read for Back and Start alone) and, for comparison,
// active.
//   idle_bench ROM_FOLDER      (under Wine: the stand-in XInput in the prefix's
//                              system folder, WINEDLLOVERRIDES=xinput1_4=n)
#include <windows.h>

#include <cstdio>
#include <string>

#include "tarvo_window.h"
#include "windows_host.h"
#include "windows_parts.h"

namespace {

double CpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return ((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void Run(tarvo::win32::TarvoWindow& window, DWORD milliseconds) {
    for (const ULONGLONG end = GetTickCount64() + milliseconds; GetTickCount64() < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - GetTickCount64()), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) window.Process(message);
    }
}

double CpuOverTenSeconds(tarvo::win32::TarvoWindow& window) {
    const double before = CpuMilliseconds();
    Run(window, 10000);
    return CpuMilliseconds() - before;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const wchar_t* const key = L"Software\\VB and VBA Program Settings\\Tarvo\\Settings";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"roms", REG_SZ, argv[1], static_cast<DWORD>((wcslen(argv[1]) + 1) * sizeof(wchar_t)));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring notepad = std::wstring(system) + L"\\notepad.exe";
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"emu", REG_SZ, notepad.c_str(), static_cast<DWORD>((notepad.size() + 1) * sizeof(wchar_t)));
    tarvo::win32::WindowsInstance instance;
    tarvo::win32::WindowsParts parts(instance);
    tarvo::Host host = tarvo::win32::WindowsHost();
    host.commandLine = "";
    tarvo::win32::TarvoWindow window(host, parts.MakePorts());
    if (!window.Created()) return std::fprintf(stderr, "idle_bench: no window\n"), 2;
    window.Load();  // it shows itself once its list is read
    using Plug = void (*)(WORD buttons, SHORT thumbLY, BYTE leftTrigger, BYTE rightTrigger);
    const auto plug = reinterpret_cast<Plug>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW((std::wstring(system) + L"\\xinput1_4.dll").c_str()), "StandInPad")));
    if (!plug) return std::fprintf(stderr, "idle_bench: no stand-in xinput1_4.dll in the system folder\n"), 2;
    plug(0, 0, 0, 0);
    Run(window, 2000);  // shown, active, the pad found
    const double active = CpuOverTenSeconds(window);
    SendMessageW(FindWindowExW(window.Handle(), nullptr, L"Button", nullptr), BM_CLICK, 0, 0);  // the game starts
    Run(window, 2000);
    if (!IsIconic(window.Handle())) return std::fprintf(stderr, "idle_bench: no game started\n"), 2;
    const double minimised = CpuOverTenSeconds(window);
    std::printf("Waiting, a pad plugged in: CPU time in 10 s, minimised during a game %.1f ms (the pad read 4 times a second); "
                "active %.1f ms (60 times a second)\n",
                minimised, active);
    // The game ends with the measurement.
    for (int tries = 0; tries < 25 && FindWindowW(L"Notepad", nullptr); ++tries, Run(window, 200)) {
        PostMessageW(FindWindowW(L"Notepad", nullptr), WM_CLOSE, 0, 0);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"emu");
    return 0;
}
