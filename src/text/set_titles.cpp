#include "text/set_titles.h"

#include <algorithm>

#include "text/utf8.h"

namespace tarvo {

namespace {

constexpr std::size_t kLongestSet = 64, kLongestTitle = 1024;

bool IsSetCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Valid UTF-8 without control characters.
bool IsCleanText(std::string_view text) {
    const bool noControls =
        std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return noControls && (IsAscii(text) || IsValidUtf8(text));
}

}  // namespace

SetTitles SetTitles::FromListFull(std::string_view answer) {
    SetTitles titles;
    titles.text_.reserve(answer.size());
    titles.entries_.reserve(static_cast<std::size_t>(std::count(answer.begin(), answer.end(), '\n')));
    bool header = true;
    for (std::size_t start = 0; start < answer.size();) {
        std::size_t end = answer.find('\n', start);
        if (end == std::string_view::npos) end = answer.size();
        std::string_view line = answer.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {  // "Name:             Description:"
            if (line.rfind("Name:", 0) != 0 || line.find("Description:") == std::string_view::npos) return {};
            header = false;
            continue;
        }
        if (line.empty()) continue;
        const std::size_t setLength = std::find_if_not(line.begin(), line.end(), IsSetCharacter) - line.begin();
        const std::size_t open = line.find_first_not_of(" \t", setLength);
        const bool shaped = setLength > 0 && setLength <= kLongestSet && open > setLength &&
                            open != std::string_view::npos && line[open] == '"' && line.size() - open >= 2 &&
                            line.back() == '"' && line.size() - open - 2 <= kLongestTitle;
        if (!shaped) return {};
        const std::string_view title = line.substr(open + 1, line.size() - open - 2);
        if (!IsCleanText(title)) return {};
        const auto at = static_cast<std::uint32_t>(titles.text_.size());
        for (const char c : line.substr(0, setLength)) titles.text_ += LowerAscii(c);
        titles.text_ += title;
        titles.entries_.push_back({at, static_cast<std::uint32_t>(setLength), static_cast<std::uint32_t>(at + setLength),
                                   static_cast<std::uint32_t>(title.size())});
    }
    if (header) return {};
    const auto bySet = [&](const Entry& a, const Entry& b) { return titles.SetOf(a) < titles.SetOf(b); };
    // MAME lists its sets in order already.
    if (!std::is_sorted(titles.entries_.begin(), titles.entries_.end(), bySet)) {
        std::sort(titles.entries_.begin(), titles.entries_.end(), bySet);
    }
    return titles;
}

std::string_view SetTitles::Find(std::string_view set) const {
    // A set's name is a few ASCII letters, digits and "_": anything else is none.
    if (set.empty() || set.size() > kLongestSet || !std::all_of(set.begin(), set.end(), IsSetCharacter)) return {};
    char lowered[kLongestSet];
    std::transform(set.begin(), set.end(), lowered, LowerAscii<char>);
    const std::string_view wanted(lowered, set.size());
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), wanted,
                                     [&](const Entry& entry, std::string_view key) { return SetOf(entry) < key; });
    if (it == entries_.end() || SetOf(*it) != wanted) return {};
    return std::string_view(text_).substr(it->title, it->titleLength);
}

}  // namespace tarvo
