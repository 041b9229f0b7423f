#pragma once
// The emulators Tarvo knows, tried from the top; the first that matches
// decides the caption suffix, the ROM pattern and the launch mode.

#include <array>

namespace tarvo {

struct EmulatorProfile {
    enum class Match { Name, FolderWildcard };
    Match match;
    const char* executable;  // a name, or for FolderWildcard a pattern looked up in AppFolder
    const char* system;      // its ROMs' folder under ~/ROMs, for an installed Tarvo
    const char* captionSuffix;
    const char* filePattern;  // nullptr: the list keeps its pattern
    int launchMode;
    // The emulator tells its sets' titles (mame -listfull), and the list
    // shows them. Not the window-first builds (MAME32, the Fanbuild), which
    // may open a window for an option they do not know.
    bool tellsTitles = false;
};

inline constexpr int kProfileCount = 51;
extern const std::array<EmulatorProfile, kProfileCount> kEmulatorProfiles;

}  // namespace tarvo
