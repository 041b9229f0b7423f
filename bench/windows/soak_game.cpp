// A stand-in MAME for the soak, copied as mame.exe into the soak's folder.
// -listfull answers with listfull.txt beside it; -listxml with a good
// working machine for each set asked, a BIOS for a name ending in "bios".
// As a game it does what the file "next" beside it says: plays for 0.2 s
// (short), until its window is closed (endless), or fails at once (failing).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

LRESULT CALLBACK GameWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_TIMER) {  // closed, or ten minutes played
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Plays in a window until it is closed, as a click on its close box would.
int PlayUntilClosed() {
    WNDCLASSW type{};
    type.lpfnWndProc = GameWindow;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"TarvoSoakGame";
    RegisterClassW(&type);
    const HWND window = CreateWindowExW(0, type.lpszClassName, L"Soak game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                                        240, nullptr, nullptr, type.hInstance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, 600000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.erase(folder.rfind('\\') + 1);
    if (argc > 1 && std::strcmp(argv[1], "-listfull") == 0) {
        std::cout << std::ifstream(folder + "listfull.txt", std::ios::binary).rdbuf();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "-listxml") == 0) {
        std::string answer = "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (soak)\" debug=\"no\" mameconfig=\"10\">\n";
        for (int i = 2; i < argc; ++i) {
            const std::string set = argv[i];
            const bool bios = set.size() >= 4 && set.compare(set.size() - 4, 4, "bios") == 0;
            answer += "\t<machine name=\"" + set + "\" sourcefile=\"soak.cpp\"" + (bios ? " isbios=\"yes\"" : "") +
                      "><description>Game " + set + "</description><year>1984</year>" +
                      "<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/></machine>\n";
        }
        std::fputs((answer + "</mame>\n").c_str(), stdout);
        return 0;
    }
    std::string next;
    std::ifstream(folder + "next") >> next;
    if (next == "endless") return PlayUntilClosed();
    if (next == "failing") {
        std::fputs("Fatal error: required files are missing\n", stderr);
        return 2;
    }
    Sleep(200);
    return 0;
}
