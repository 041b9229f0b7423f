#pragma once
// Folder texts as the program builds them: they end in the platform's
// separator and are joined to file names by plain concatenation.

#include <string>

namespace tarvo {

// The folder with the separator appended unless it already ends in one
// (an empty text becomes the separator alone: the root).
std::string WithTrailingSeparator(const std::string& folder, char separator);

// All after the last separator.
std::string FileNamePart(const std::string& path, char separator);

// The path as shown to the user: whole up to 260 characters; a longer one
// keeps its start and its file name around a "…", so a message box or a
// tooltip with it still fits the screen.
std::string ShortenedForDisplay(const std::string& path, char separator);

// A path that does not depend on the current folder: "/..." with "/" as
// separator; "\...", "//...", or a drive letter with a colon with "\".
bool IsAbsolutePath(const std::string& path, char separator);

// "~" and "~/..." with the home folder in its place, as a shell reads
// them; anything else, or no home folder known, as written.
std::string WithHomeFolder(const std::string& path, const std::string& home);

// The reverse, for the user's eyes: the home folder as "~".
std::string WithTilde(const std::string& path, const std::string& home);

}  // namespace tarvo
