#include "run.h"

#include "tarvo_window.h"

namespace tarvo::win32 {

int Run(WindowsServices& services) {
    TarvoWindow window(services);
    if (!window.Created()) {
        // Without a window this instance would hold the claim and never end:
        // every later start would take it for the one running.
        services.ReleaseInstanceClaim();
        ShowMessage(nullptr, "Tarvo could not make its window: " + SystemMessage(window.CreationError()));
        return 1;
    }
    if (window.Load() == frmPindle::LoadResult::EndProgram) return 0;  // else it shows itself when its list is read
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Process(message);
    return 0;
}

}  // namespace tarvo::win32
