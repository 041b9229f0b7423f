#include "text/ini.h"

#include <string_view>

#include "text/utf8.h"

namespace tarvo {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Each line that names a group (its name) or is a key of one (the group's
// name, the line), in order.
template <class Visit>
void ForEachLine(const std::string& text, Visit visit) {
    std::string_view rest(text), group;
    // Editors that come from Windows begin the file with a byte-order mark.
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string_view trimmed = Trim(line);
        // A comment (";" or "#") names no group and no key, so it passes as any such line does.
        if (trimmed.empty()) continue;
        const bool names = trimmed.front() == '[' && trimmed.back() == ']';
        if (names) group = Trim(trimmed.substr(1, trimmed.size() - 2));
        visit(group, names ? std::string_view() : line);
    }
}

}  // namespace

std::optional<std::string> IniValue(const std::string& text, const std::string& group, const std::string& key) {
    std::optional<std::string> value;
    ForEachLine(text, [&](std::string_view in, std::string_view line) {
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || !EqualsIgnoreCase(in, group)) return;
        if (EqualsIgnoreCase(Trim(line.substr(0, equals)), key)) value = std::string(Trim(line.substr(equals + 1)));
    });
    return value;
}

std::optional<std::string> IniGroup(const std::string& text, const std::string& group) {
    std::optional<std::string> written;
    ForEachLine(text, [&](std::string_view in, std::string_view line) {
        if (line.empty() && !written && EqualsIgnoreCase(in, group)) written = std::string(in);
    });
    return written;
}

}  // namespace tarvo
