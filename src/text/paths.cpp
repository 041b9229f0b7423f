#include "text/paths.h"

#include "text/utf8.h"

namespace tarvo {

std::string WithTrailingSeparator(const std::string& folder, char separator) {
    if (!folder.empty() && folder.back() == separator) return folder;
    return folder + separator;
}

std::string FileNamePart(const std::string& path, char separator) {
    const std::size_t cut = path.rfind(separator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ShortenedForDisplay(const std::string& path, char separator) {
    constexpr std::size_t kLongest = 260, kLongestName = 100;
    const std::size_t length = CharCount(path);
    if (length <= kLongest) return path;
    std::string name = FileNamePart(path, separator);
    const std::size_t nameLength = CharCount(name);
    if (nameLength > kLongestName) name = LastChars(name, kLongestName);
    const std::string tail = "…" + std::string(nameLength < length ? 1 : 0, separator) + name;
    return FirstChars(path, kLongest - CharCount(tail)) + tail;
}

bool IsAbsolutePath(const std::string& path, char separator) {
    if (path.empty()) return false;
    if (separator == '/') return path.front() == '/';
    if (path.front() == '\\' || path.front() == '/') return true;
    const auto drive = static_cast<unsigned char>(path.front());
    return path.size() >= 2 && path[1] == ':' &&
           ((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'));
}

}  // namespace tarvo
