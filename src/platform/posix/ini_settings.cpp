#include "ini_settings.h"

#include <sstream>

#include "posix_files.h"
#include "text/utf8.h"

namespace tarvo {

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> ReadIniSetting(const std::string& file, const std::string& group, const std::string& key) {
    const std::optional<std::string> text = posix::ReadOrdinaryFile(file, 1u << 20);
    return text ? IniValue(*text, group, key) : std::nullopt;
}

std::optional<std::string> IniValue(const std::string& text, const std::string& group, const std::string& key) {
    // Editors that come from Windows begin the file with a byte-order mark.
    const std::string_view kMark = "\xEF\xBB\xBF";
    std::istringstream in(text.compare(0, kMark.size(), kMark) == 0 ? text.substr(kMark.size()) : text);
    std::string line;
    bool inGroup = false;
    std::optional<std::string> value;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        // A comment (";" or "#") names no group and no key, so it passes as any such line does.
        if (trimmed.empty()) continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            inGroup = EqualsIgnoreCase(Trim(trimmed.substr(1, trimmed.size() - 2)), group);
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string::npos) continue;
        if (EqualsIgnoreCase(Trim(line.substr(0, equals)), key)) value = Trim(line.substr(equals + 1));
    }
    return value;
}

}  // namespace tarvo
