#pragma once
// Where the preview picture of a ROM is looked for, in order.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

// A file far larger than any screenshot is not one: it counts as damaged.
inline constexpr std::uint64_t kLargestPicture = 64u << 20;

// shotsFolder and appFolder end in the separator. The screenshots named
// after the whole file name come first, then those named after the name
// less its last four characters (skipped when there is no such stem), each
// as GIF, JPEG, BMP; then the same two as PNG; then the logos of the
// application folder as GIF, JPEG, BMP, PNG.
std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName);

}  // namespace tarvo
