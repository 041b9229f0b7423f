// Tarvo.exe: started with an emulator's path, lists its ROMs and starts them.

#include <windows.h>
#include <commctrl.h>

#include "run.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tarvo::win32::ComScope com;  // left last, after everything that used it
    // First of all, so a later start finds this one whatever it shows.
    tarvo::win32::WindowsServices services(tarvo::win32::WindowsEnvironment::FromProcess(), com);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return tarvo::win32::Run(services);
}
