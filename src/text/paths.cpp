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

std::string WithHomeFolder(const std::string& path, const std::string& home) {
    if (home.empty() || path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/')) return path;
    const std::string base = home.back() == '/' && home.size() > 1 ? home.substr(0, home.size() - 1) : home;
    return base + path.substr(1);
}

std::string WithTilde(const std::string& path, const std::string& home) {
    const std::string base = !home.empty() && home.back() == '/' ? home.substr(0, home.size() - 1) : home;
    if (base.empty() || path.compare(0, base.size(), base) != 0) return path;
    if (path.size() > base.size() && path[base.size()] != '/') return path;  // /home/me2 is not in /home/me
    return "~" + path.substr(base.size());
}

}  // namespace tarvo
