#pragma once
// Where the preview picture of a ROM is looked for, in order.

#include <string>
#include <vector>

namespace tarvo {

// shotsFolder and appFolder end in the separator. The screenshots named
// after the whole file name come first, then those named after the name
// less its last four characters (skipped when there is no such stem), then
// the logos of the application folder; each as GIF, JPEG, BMP.
std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName);

}  // namespace tarvo
