#include "run.h"

#include "tarvo_window.h"
#include "windows_host.h"

namespace tarvo::win32 {

int Run(const Host& host, WindowsParts& parts) {
    TarvoWindow window(host, parts.MakePorts());
    if (!window.Created()) {
        // Without a window this instance would hold the claim and never end:
        // every later start would take it for the one running.
        parts.instance.Release();
        ShowMessage(nullptr, "Tarvo could not make its window: " + SystemMessage(window.CreationError()));
        return 1;
    }
    if (window.Load() == frmPindle::LoadResult::EndProgram) return 0;  // else it shows itself when its list is read
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Process(message);
    parts.instance.Release();  // a new start is the running Tarvo from now on
    return 0;
}  // what waits beside the window ends with it

}  // namespace tarvo::win32
