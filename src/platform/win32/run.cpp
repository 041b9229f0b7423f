#include "run.h"

#include "tarvo_window.h"
#include "windows_host.h"

namespace tarvo::win32 {

int Run(const Host& host, WindowsParts& parts) {
    // Without a window this instance would hold the claim and never end:
    // every later start would take it for the one running.
    const auto cannot = [&parts](const std::string& what, DWORD error) {
        parts.instance.Release();
        ShowMessage(nullptr, "Tarvo could not make its " + what + ": " +
                                 (error ? SystemMessage(error) : std::string("the system gave no reason.")));
        return 1;
    };
    // Without the way back, no listing, picture or game's end would ever
    // reach the window.
    if (!parts.window.Created()) return cannot("message window", parts.window.CreationError());
    TarvoWindow window(host, parts.MakePorts());
    if (!window.Created()) return cannot("window", window.CreationError());
    if (window.Load() == frmPindle::LoadResult::EndProgram) return 0;  // else it shows itself when its list is read
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.Process(message);
    parts.instance.Release();  // a new start is the running Tarvo from now on
    return 0;
}  // what waits beside the window ends with it

}  // namespace tarvo::win32
