#include "ui/type_ahead.h"

#include "text/utf8.h"

namespace tarvo {

namespace {

// Whether the row, lower-cased, begins with the lower-cased prefix.
bool BeginsWith(std::string_view row, const std::u32string& prefix) {
    std::size_t pos = 0;
    for (const char32_t wanted : prefix) {
        if (pos >= row.size()) return false;
        const Utf8Char ch = DecodeAt(row, pos);
        if ((ch.valid ? LowerChar(ch.codePoint) : 0x110000 + ch.codePoint) != wanted) return false;
        pos += ch.length;
    }
    return true;
}

// The first row after `from` (round the end, `from` itself last) that
// begins with the prefix, or -1.
int NextBeginningWith(const std::vector<std::string_view>& rows, const std::u32string& prefix, int from) {
    const std::size_t count = rows.size();
    const std::size_t start = from < 0 || std::size_t(from) >= count ? count - 1 : std::size_t(from);
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t row = (start + step) % count;
        if (BeginsWith(rows[row], prefix)) return static_cast<int>(row);
    }
    return -1;
}

// A row's first letter, lower-cased; none for an empty row.
char32_t FirstLetter(std::string_view row) {
    if (row.empty()) return 0x110000;
    const Utf8Char ch = DecodeAt(row, 0);
    return ch.valid ? LowerChar(ch.codePoint) : 0x110000 + ch.codePoint;
}

}  // namespace

int TypeAhead::Typed(const std::vector<std::string_view>& rows, char32_t character, std::int64_t time, int selected) {
    if (prefix_.empty() || time - lastTyped_ >= kPauseMs) prefix_.clear();
    lastTyped_ = time;
    prefix_ += LowerChar(character);
    if (rows.empty()) return -1;
    // One character, or the same one again and again: on to the next row with it.
    if (prefix_.find_first_not_of(prefix_[0]) == std::u32string::npos) {
        return NextBeginningWith(rows, prefix_.substr(0, 1), selected);
    }
    const bool stillMatches = selected >= 0 && std::size_t(selected) < rows.size() && BeginsWith(rows[selected], prefix_);
    return stillMatches ? selected : NextBeginningWith(rows, prefix_, selected);
}

int FirstOfNextLetter(const std::vector<std::string_view>& rows, int selected) {
    if (rows.empty()) return -1;
    if (selected < 0 || std::size_t(selected) >= rows.size()) return 0;
    const char32_t letter = FirstLetter(rows[selected]);
    for (std::size_t row = std::size_t(selected) + 1; row < rows.size(); ++row) {
        if (FirstLetter(rows[row]) != letter) return static_cast<int>(row);
    }
    return -1;
}

int FirstOfPreviousLetter(const std::vector<std::string_view>& rows, int selected) {
    if (selected < 0 || std::size_t(selected) >= rows.size()) return -1;
    int first = selected;  // the first row of the selected row's group
    while (first > 0 && FirstLetter(rows[first - 1]) == FirstLetter(rows[selected])) --first;
    if (first == 0) return -1;
    int previous = first - 1;
    while (previous > 0 && FirstLetter(rows[previous - 1]) == FirstLetter(rows[first - 1])) --previous;
    return previous;
}

}  // namespace tarvo
