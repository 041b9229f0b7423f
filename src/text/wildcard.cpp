#include "text/wildcard.h"

#include "text/utf8.h"

namespace tarvo {

namespace {

std::u32string LowerCodePoints(const std::string& text) {
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
// never exponential.
bool MatchOne(const std::u32string& pattern, const std::u32string& name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        // The pattern's "*" first: a "*" in a name is an ordinary character.
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
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
            patterns_.push_back(LowerCodePoints(one));
        }
        start = end + 1;
    }
}

bool WildcardSet::Matches(const std::string& name) const {
    if (matchesEverything_) return true;
    if (patterns_.empty()) return false;
    const std::u32string lowered = LowerCodePoints(name);
    for (const auto& pattern : patterns_) {
        if (MatchOne(pattern, lowered)) return true;
    }
    return false;
}

}  // namespace tarvo
