// Tarvo.exe: started with an emulator's path, lists its ROMs and starts them.

#include <windows.h>
#include <commctrl.h>

#include "tarvo_window.h"
#include "windows_services.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all, so a later start finds this one whatever it shows.
    tarvo::win32::WindowsServices services(tarvo::win32::WindowsEnvironment::FromProcess());
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    tarvo::win32::TarvoWindow window(services);
    if (window.Load() == tarvo::frmPindle::LoadResult::EndProgram) return 0;
    window.Show();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Process(message);
    return 0;
}
