// Tarvo.exe: started with an emulator's path, lists its ROMs and starts them.

#include <windows.h>
#include <commctrl.h>

#include "os/worker.h"
#include "run.h"
#include "windows_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all, so a later start finds this one whatever it shows.
    tarvo::win32::WindowsInstance instance;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    tarvo::win32::WindowsParts parts(instance);
    return tarvo::FinishProcess(tarvo::win32::Run(tarvo::win32::WindowsHost(), parts));
}
