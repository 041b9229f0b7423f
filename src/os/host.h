#pragma once
// The host's facts, known at start and fixed for the run.

#include <string>

namespace tarvo {

struct Host {
    char separator = '\\';          // "\" or "/"
    bool programsCarryExe = true;   // Windows programs end in ".exe"
    std::string executableFolder;   // Tarvo's own folder
    std::string commandLine;        // all that followed the program's name
    // A compositor that shows one window at a time and cannot minimise
    // (Steam Deck's gamescope): Tarvo fills the screen, and hides while a
    // game runs.
    bool oneWindowAtATime = false;
    // A minimised window can bring itself back (X11, Windows); on Wayland
    // it cannot, nor can Tarvo tell that it is minimised.
    bool minimisedWindowsComeBack = true;
    // Installed among the system's programs (Linux: /usr/games and the
    // like), not a folder of its own: its folder holds no ROMs and no
    // emulator of the user's.
    bool installed = false;
    std::string home{};         // the user's home folder, for "~"; empty on Windows
    std::string settingsPlace{};  // where the user writes settings, as messages name it
    std::string helpPlace{};    // where an example settings file is shown
};

}  // namespace tarvo
