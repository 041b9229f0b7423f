#pragma once
// Where the preview picture of a ROM is looked for, in order.

#include <cstddef>
#include <string>
#include <vector>

namespace tarvo {

// shotsFolder and appFolder end in the separator. The screenshots named
// after the whole file name come first, then those named after the name
// less its last four characters (the stem; skipped when there is none), each
// as GIF, JPEG, BMP; then the same two as PNG; then, by the stem, where
// other tools put pictures: MAME's <stem>/0000.png; libretro's
// Named_Snaps, Named_Titles and Named_Boxarts/<name>.png (its name: the stem
// with &*/:`<>?\| as "_"; then cut before a " (" tag), and <name>.png
// itself; ES-DE's screenshots, titlescreens and covers/<stem>.png and .jpg;
// then, for an arcade clone, the same of its parent's file (parentName);
// last the logos of the application folder as GIF, JPEG, BMP, PNG.
// The logos are the last of them.
inline constexpr std::size_t kLogoCandidates = 4;
std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName, char separator,
                                           const std::string& parentName = "");

}  // namespace tarvo
