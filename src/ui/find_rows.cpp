#include "ui/find_rows.h"

#include <algorithm>
#include <cctype>

#include "text/utf8.h"

namespace tarvo {

namespace {

// Latin-1's and Latin Extended-A's letters with accents, as their base
// letters (lower case); 0: none.
char BaseLetter(char32_t c) {
    static const char kLatin1[] = "aaaaaaaceeeeiiiidnooooo ouuuuyty";  // U+00E0..U+00FF; " ": the division sign
    static const char kExtendedA[] =  // U+0100..U+017F
        "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
    if (c >= 0xC0 && c <= 0xDE) c += 0x20;
    if (c >= 0xE0 && c <= 0xFF && c != 0xF7) return kLatin1[c - 0xE0];
    if (c >= 0x100 && c < 0x100 + sizeof kExtendedA - 1) return kExtendedA[c - 0x100];
    return 0;
}

bool IsWordPart(char c) { return static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c)); }

}  // namespace

std::string FoldedForFind(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Char decoded = DecodeAt(text, at);
        at += std::max<std::size_t>(decoded.length, 1);
        const char32_t c = decoded.valid ? LowerChar(decoded.codePoint) : U'?';
        if (c == U'ß') {
            folded += "ss";
        } else if (c == U'æ' || c == U'Æ') {
            folded += "ae";
        } else if (c >= 0x300 && c <= 0x36F) {
            continue;  // a combining accent, as a decomposed name writes it
        } else if (const char base = BaseLetter(c); base && base != ' ') {
            folded += base;
        } else {
            AppendUtf8(folded, c);
        }
    }
    return folded;
}

std::vector<std::string> FoldedRows(const std::vector<std::string_view>& rows) {
    std::vector<std::string> folded;
    folded.reserve(rows.size());
    for (const std::string_view row : rows) folded.push_back(FoldedForFind(row));
    return folded;
}

std::vector<std::uint32_t> FindRows(const std::vector<std::string>& folded, std::string_view query) {
    const std::string typed = FoldedForFind(query);
    std::vector<std::string> words;
    for (std::size_t at = 0; at < typed.size();) {
        while (at < typed.size() && !IsWordPart(typed[at])) ++at;
        std::size_t end = at;
        while (end < typed.size() && IsWordPart(typed[end])) ++end;
        if (end > at) words.push_back(typed.substr(at, end - at));
        at = end;
    }
    std::vector<std::uint32_t> kept;
    kept.reserve(folded.size());
    for (std::uint32_t row = 0; row < folded.size(); ++row) {
        const std::string& name = folded[row];
        if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return name.find(w) != std::string::npos; })) {
            kept.push_back(row);
        }
    }
    return kept;
}

int SelectionAfterFinding(const std::vector<std::uint32_t>& kept, int selectedRow) {
    if (kept.empty()) return -1;
    const auto at = std::find(kept.begin(), kept.end(), static_cast<std::uint32_t>(std::max(selectedRow, 0)));
    return selectedRow >= 0 && at != kept.end() ? static_cast<int>(at - kept.begin()) : 0;
}

std::string GroupedCount(std::size_t count) {
    std::string text = std::to_string(count);
    for (std::size_t digits = text.size(); digits > 3; digits -= 3) text.insert(digits - 3, ",");
    return text;
}

std::string FoundLine(std::size_t found, std::size_t all) {
    return GroupedCount(found) + " of " + GroupedCount(all) + (all == 1 ? " ROM" : " ROMs");
}

}  // namespace tarvo
