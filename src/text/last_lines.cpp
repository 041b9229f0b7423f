#include "text/last_lines.h"

#include <vector>

#include "text/utf8.h"

namespace tarvo {

namespace {

// Enough bytes for kMostLines lines of kMostChars characters in all, at up
// to four bytes each, and the controls between them.
constexpr std::size_t kTailBytes = 8 * LastLines::kMostChars;

// The length of a control at the start that a message must not carry
// along: C1 controls, and the marks that turn the direction of the text
// after them (embeddings, overrides, isolates); 0 for anything else.
std::size_t HiddenControlAt(std::string_view text) {
    const auto byte = [&](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; };
    if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;  // U+0080 to U+009F
    if (byte(0) == 0xE2 && byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) return 3;  // U+202A to U+202E
    if (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9) return 3;  // U+2066 to U+2069
    return 0;
}

// Where the escape sequence at i ends, its last byte: ESC, then [ with
// parameters and a final letter, ] with a title up to BEL or ESC \, a
// character set's two characters, or one character.
std::size_t EndOfEscape(std::string_view line, std::size_t i) {
    const char kind = i + 1 < line.size() ? line[i + 1] : '\0';
    if (kind == '[') {
        for (i += 2; i < line.size() && !(line[i] >= 0x40 && line[i] <= 0x7E); ++i) {
        }
        return i;
    }
    if (kind == ']') {
        for (i += 2; i < line.size() && line[i] != '\a' && !(line[i] == 0x1B && i + 1 < line.size() && line[i + 1] == '\\'); ++i) {
        }
        return i < line.size() && line[i] == 0x1B ? i + 1 : i;
    }
    const bool characterSet = kind == '(' || kind == ')' || kind == '*' || kind == '+';  // and its letter
    return characterSet ? i + 2 : i + 1;
}

// A line as a message shows it: no terminal controls (a colour's escape
// sequence, a title, a carriage return's overprinting, a turn of the text's
// direction), no spaces about it.
std::string Printable(std::string_view line) {
    std::string text;
    bool overprinted = false;  // a carriage return: what follows goes over what came before
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == 0x1B) {
            i = EndOfEscape(line, i);
            continue;
        }
        if (const std::size_t hidden = HiddenControlAt(line.substr(i))) {
            i += hidden - 1;
            continue;
        }
        if (c == '\r') overprinted = true;
        const bool printed = c == '\t' || (c >= 0x20 && c != 0x7F);
        if (printed && overprinted) text.clear(), overprinted = false;
        if (c == '\t') text += ' ';
        if (c >= 0x20 && c != 0x7F) text += static_cast<char>(c);
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void LastLines::Add(std::string_view piece) {
    if (piece.size() >= kTailBytes) piece = piece.substr(piece.size() - kTailBytes);
    const std::size_t keep = kTailBytes - piece.size();
    if (tail_.size() > keep) tail_.erase(0, tail_.size() - keep);
    tail_.append(piece);
}

std::string LastLines::Text() const {
    std::vector<std::string> lines;
    std::size_t end = tail_.size();
    while (end > 0 && lines.size() < kMostLines) {
        const std::size_t newline = tail_.rfind('\n', end - 1);
        const std::size_t begin = newline == std::string::npos ? 0 : newline + 1;
        std::string line = Printable(std::string_view(tail_).substr(begin, end - begin));
        if (!line.empty()) lines.insert(lines.begin(), std::move(line));
        if (newline == std::string::npos) break;
        end = newline;
    }
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return CharCount(text) > kMostChars ? LastChars(text, kMostChars) : text;
}

}  // namespace tarvo
