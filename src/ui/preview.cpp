#include "ui/preview.h"

#include "text/utf8.h"

namespace tarvo {

std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName) {
    static const char* const kExtensions[] = {".gif", ".jpg", ".bmp"};
    std::vector<std::string> candidates;
    const std::string namePath = shotsFolder + selectedName;
    const bool hasStem = CharCount(selectedName) >= 4;
    const std::string stemPath = hasStem ? shotsFolder + DropLastChars(selectedName, 4) : std::string();
    for (const char* ext : kExtensions) candidates.push_back(namePath + ext);
    for (const char* ext : kExtensions) {
        if (hasStem) candidates.push_back(stemPath + ext);
    }
    // PNG after the formats that came first, so it never hides one of them.
    candidates.push_back(namePath + ".png");
    if (hasStem) candidates.push_back(stemPath + ".png");
    for (const char* ext : kExtensions) candidates.push_back(appFolder + "logo" + ext);
    candidates.push_back(appFolder + "logo.png");
    return candidates;
}

}  // namespace tarvo
