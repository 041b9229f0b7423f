#pragma once
// UTF-8 text helpers. Names come from file systems and command lines, so any
// byte sequence must survive: bytes that are not valid UTF-8 count as one
// character each and are copied unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvo {

// Number of characters (code points) in the text.
std::size_t CharCount(const std::string& text);

// The text less its last n characters; empty when it has n or fewer.
std::string DropLastChars(const std::string& text, std::size_t n);
// The first or the last n characters (the whole text when it has fewer).
std::string FirstChars(const std::string& text, std::size_t n);
std::string LastChars(const std::string& text, std::size_t n);

// An ASCII capital as its small letter; anything else as it is.
template <class Char>
constexpr Char LowerAscii(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c + 32) : c;
}

// Simple lower-case mapping of one code point (ASCII, Latin, Greek,
// Cyrillic, Armenian, Georgian and full-width Latin letters).
char32_t LowerChar(char32_t c);

// The bytes of a text with every letter lower-cased, one at a time.
class LoweredBytes {
public:
    explicit LoweredBytes(std::string_view text) : text_(text) {}
    int Next();  // -1 at the end

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    unsigned char pending_[4] = {};
    int next_ = 0, count_ = 0;
};

// The text with every letter lower-cased.
std::string ToLower(std::string_view text);
// Texts compared as their lower-cased bytes: below 0, 0 or above 0.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// Only bytes below 0x80: the many names that need none of the rules beyond ASCII.
bool IsAscii(std::string_view text);
// Every byte part of a valid UTF-8 character.
bool IsValidUtf8(std::string_view text);

// Equal when letter case is ignored.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// One decoded character: its code point (or the lone byte when invalid)
// and how many bytes it took.
struct Utf8Char {
    char32_t codePoint;
    std::size_t length;
    bool valid;
};
Utf8Char DecodeAt(std::string_view text, std::size_t pos);
// The code point's UTF-8 bytes after the text's.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace tarvo
