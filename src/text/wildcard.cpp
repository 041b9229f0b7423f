#include "text/wildcard.h"

#include <optional>

#include "text/utf8.h"

namespace tarvo {

namespace {

std::u32string LowerCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = DecodeAt(text, pos);
        // An invalid byte becomes a code unit outside Unicode, so it only
        // ever matches "?", "*" or the very same byte.
        out += ch.valid ? LowerChar(ch.codePoint) : 0x110000 + ch.codePoint;
        pos += ch.length;
    }
    return out;
}

// Iterative match with one back-tracking point per "*": linear in practice,
// never exponential. The pattern is lower-cased; the name is lower-cased
// here, as far as lower(c) says.
template <class Pattern, class Name, class Lower>
bool MatchOne(const Pattern& pattern, const Name& name, Lower lower) {
    std::size_t p = 0, n = 0;
    std::size_t starP = Pattern::npos, starN = 0;
    while (n < name.size()) {
        // The pattern's "*" first: a "*" in a name is an ordinary character.
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == lower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != Pattern::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool EndsWithLowered(std::string_view name, std::string_view lowered) {
    const std::string_view end = name.substr(name.size() - lowered.size());
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (LowerAscii(end[i]) != lowered[i]) return false;
    }
    return true;
}

}  // namespace

WildcardSet::WildcardSet(const std::string& patterns) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        const std::string one = patterns.substr(start, end - start);
        if (one == "*.*" || one == "*") {
            matchesEverything_ = true;
        } else if (!one.empty()) {
            std::string ascii = one;
            for (char& c : ascii) c = LowerAscii(c);
            const bool isAscii = IsAscii(ascii);
            const bool starThenText = isAscii && ascii[0] == '*' && ascii.find_first_of("*?", 1) == std::string::npos;
            patterns_.push_back({LowerCodePoints(one), std::move(ascii), isAscii, starThenText});
        }
        start = end + 1;
    }
}

bool WildcardSet::Matches(std::string_view name) const {
    if (matchesEverything_) return true;
    std::optional<std::u32string> lowered;  // the full rules, only for names that need them
    for (const auto& pattern : patterns_) {
        const std::size_t tail = pattern.ascii.size() - 1;
        if (pattern.starThenText && name.size() >= tail && IsAscii(name.substr(name.size() - tail))) {
            // "*.zip": an ASCII tail is whole characters, so its bytes decide.
            if (EndsWithLowered(name, std::string_view(pattern.ascii).substr(1))) return true;
        } else if (pattern.isAscii && IsAscii(name)) {
            // Both ASCII: every byte is a character, and lower-cases as one
            // (a pattern's İ would lower-case to an ASCII i).
            if (MatchOne(pattern.ascii, name, LowerAscii<char>)) return true;
        } else {
            if (!lowered) lowered = LowerCodePoints(name);
            if (MatchOne(pattern.characters, *lowered, [](char32_t c) { return c; })) return true;
        }
    }
    return false;
}

}  // namespace tarvo
