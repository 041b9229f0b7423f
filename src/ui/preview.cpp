#include "ui/preview.h"

#include "text/utf8.h"

namespace tarvo {

namespace {

// libretro's thumbnail name: these characters cannot stand in a file name.
std::string LibretroName(std::string stem) {
    for (char& c : stem) {
        if (std::string_view("&*/:`<>?\\|").find(c) != std::string_view::npos) c = '_';
    }
    return stem;
}

// The screenshots of one file, in order.
void AddScreenshots(std::vector<std::string>& candidates, const std::string& shotsFolder, const std::string& selectedName,
                    char separator) {
    static const char* const kExtensions[] = {".gif", ".jpg", ".bmp"};
    const std::string namePath = shotsFolder + selectedName;
    const bool hasStem = CharCount(selectedName) >= 4;
    const std::string stem = hasStem ? DropLastChars(selectedName, 4) : std::string();
    for (const char* ext : kExtensions) candidates.push_back(namePath + ext);
    for (const char* ext : kExtensions) {
        if (hasStem) candidates.push_back(shotsFolder + stem + ext);
    }
    // PNG after the formats that came first, so it never hides one of them.
    candidates.push_back(namePath + ".png");
    if (hasStem) candidates.push_back(shotsFolder + stem + ".png");
    // Then where other tools put their pictures, each found by the stem.
    if (!stem.empty()) {
        const std::string sep(1, separator);
        candidates.push_back(shotsFolder + stem + sep + "0000.png");  // MAME's snap/<set>/
        // libretro's thumbnails/<system>/, also for a ROM tagged otherwise.
        const std::string libretro = LibretroName(stem);
        std::vector<std::string> names{libretro};
        if (const std::string untagged = libretro.substr(0, libretro.find(" (")); untagged != libretro) {
            names.push_back(untagged);
        }
        for (const std::string& name : names) {
            for (const char* kind : {"Named_Snaps", "Named_Titles", "Named_Boxarts"}) {
                candidates.push_back(shotsFolder + kind + sep + name + ".png");
            }
        }
        if (libretro != stem) candidates.push_back(shotsFolder + libretro + ".png");  // a Named_Snaps itself
        // ES-DE's downloaded_media/<system>/.
        for (const char* kind : {"screenshots", "titlescreens", "covers"}) {
            for (const char* ext : {".png", ".jpg"}) candidates.push_back(shotsFolder + kind + sep + stem + ext);
        }
    }
}

}  // namespace

std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName, char separator, const std::string& parentName) {
    std::vector<std::string> candidates;
    AddScreenshots(candidates, shotsFolder, selectedName, separator);
    if (!parentName.empty()) AddScreenshots(candidates, shotsFolder, parentName, separator);
    for (const char* ext : {".gif", ".jpg", ".bmp", ".png"}) candidates.push_back(appFolder + "logo" + ext);
    return candidates;
}

}  // namespace tarvo
