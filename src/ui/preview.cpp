#include "ui/preview.h"

#include "text/utf8.h"

namespace tarvo {

std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName) {
    static const char* const kExtensions[] = {".gif", ".jpg", ".bmp"};
    std::vector<std::string> candidates;
    const std::string namePath = shotsFolder + selectedName;
    for (const char* ext : kExtensions) candidates.push_back(namePath + ext);
    if (CharCount(selectedName) >= 4) {
        const std::string stemPath = shotsFolder + DropLastChars(selectedName, 4);
        for (const char* ext : kExtensions) candidates.push_back(stemPath + ext);
    }
    for (const char* ext : kExtensions) candidates.push_back(appFolder + "logo" + ext);
    return candidates;
}

}  // namespace tarvo
