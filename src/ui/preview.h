#pragma once
// Where the preview picture of a ROM is looked for, in order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

// A file far larger than any screenshot is not one: it counts as damaged.
inline constexpr std::uint64_t kLargestPicture = 64u << 20;
// Nor is a picture of more pixels than a 4096 x 4096 one (a screenshot of
// a 4K screen has half as many): a small file that would decode to
// hundreds of megabytes counts as damaged before it is decoded.
inline constexpr std::uint64_t kMostPicturePixels = 4096u * 4096u;

// shotsFolder and appFolder end in the separator. The screenshots named
// after the whole file name come first, then those named after the name
// less its last four characters (the stem; skipped when there is none), each
// as GIF, JPEG, BMP; then the same two as PNG; then, by the stem, where
// other tools put pictures: MAME's <stem>/0000.png; libretro's
// Named_Snaps, Named_Titles and Named_Boxarts/<name>.png (its name: the stem
// with &*/:`<>?\| as "_"; then cut before a " (" tag), and <name>.png
// itself; ES-DE's screenshots, titlescreens and covers/<stem>.png and .jpg;
// last the logos of the application folder as GIF, JPEG, BMP, PNG.
// The logos are the last of them.
inline constexpr std::size_t kLogoCandidates = 4;
std::vector<std::string> PreviewCandidates(const std::string& shotsFolder, const std::string& appFolder,
                                           const std::string& selectedName, char separator);

}  // namespace tarvo
