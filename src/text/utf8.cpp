#include "text/utf8.h"

namespace tarvo {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The UTF-8 bytes of a code point above 0x7F; how many.
int EncodeUtf8(char32_t c, unsigned char* out) {
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    for (int i = length - 1; i > 0; --i, c >>= 6) out[i] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out[0] = static_cast<unsigned char>(kLead[length] | c);
    return length;
}

bool InRange(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }
bool Even(char32_t c) { return c % 2 == 0; }

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    unsigned char bytes[4];
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(EncodeUtf8(c, bytes)));
}

Utf8Char DecodeAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2; cp = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; cp = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4; cp = lead & 0x07; minimum = 0x10000;
    } else {
        return {lead, 1, false};
    }
    if (pos + length > text.size()) return {lead, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(b)) return {lead, 1, false};
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || InRange(cp, 0xD800, 0xDFFF)) return {lead, 1, false};
    return {cp, length, true};
}

std::size_t CharCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += DecodeAt(text, pos).length) ++count;
    return count;
}

std::string FirstChars(const std::string& text, std::size_t n) {
    std::size_t pos = 0;
    while (n-- > 0 && pos < text.size()) pos += DecodeAt(text, pos).length;
    return text.substr(0, pos);
}

std::string DropLastChars(const std::string& text, std::size_t n) {
    const std::size_t total = CharCount(text);
    return total <= n ? std::string() : FirstChars(text, total - n);
}

std::string LastChars(const std::string& text, std::size_t n) {
    const std::size_t total = CharCount(text);
    return total <= n ? text : text.substr(FirstChars(text, total - n).size());
}

char32_t LowerChar(char32_t c) {
    if (c < 0x80) return LowerAscii(c);
    if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return c + 32;
    if (c == 0x130) return 'i';
    if (c == 0x178) return 0xFF;
    if ((InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177)) && Even(c)) return c + 1;
    if ((InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E)) && !Even(c)) return c + 1;
    if (InRange(c, 0x1CD, 0x1DC) && !Even(c)) return c + 1;
    if ((InRange(c, 0x1DE, 0x1EF) || InRange(c, 0x1F8, 0x21F) || InRange(c, 0x222, 0x233) ||
         InRange(c, 0x246, 0x24F)) && Even(c)) return c + 1;
    if (c == 0x386) return 0x3AC;
    if (InRange(c, 0x388, 0x38A)) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (InRange(c, 0x38E, 0x38F)) return c + 63;
    if (InRange(c, 0x391, 0x3AB) && c != 0x3A2) return c + 32;
    if (InRange(c, 0x3D8, 0x3EF) && Even(c)) return c + 1;
    if (InRange(c, 0x400, 0x40F)) return c + 80;
    if (InRange(c, 0x410, 0x42F)) return c + 32;
    if ((InRange(c, 0x460, 0x481) || InRange(c, 0x48A, 0x4BF) || InRange(c, 0x4D0, 0x52F)) && Even(c)) return c + 1;
    if (c == 0x4C0) return 0x4CF;
    if (InRange(c, 0x4C1, 0x4CE) && !Even(c)) return c + 1;
    if (InRange(c, 0x531, 0x556)) return c + 48;
    if (InRange(c, 0x10A0, 0x10C5)) return c + 7264;
    if ((InRange(c, 0x1E00, 0x1E95) || InRange(c, 0x1EA0, 0x1EFF)) && Even(c)) return c + 1;
    if (c == 0x1E9E) return 0xDF;
    if (InRange(c, 0x2160, 0x216F)) return c + 16;
    if (InRange(c, 0x24B6, 0x24CF)) return c + 26;
    if (InRange(c, 0xFF21, 0xFF3A)) return c + 32;
    return c;
}

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = DecodeAt(text, pos);
        if (!ch.valid) return false;
        pos += ch.length;
    }
    return true;
}

int LoweredBytes::Next() {
    if (next_ < count_) return pending_[next_++];
    if (pos_ >= text_.size()) return -1;
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    if (lead < 0x80) {  // the common case: plain ASCII
        ++pos_;
        return LowerAscii(lead);
    }
    const Utf8Char ch = DecodeAt(text_, pos_);
    pos_ += ch.length;
    if (!ch.valid) return lead;  // kept as it is
    const char32_t lower = LowerChar(ch.codePoint);
    if (lower < 0x80) return static_cast<int>(lower);  // İ is i
    count_ = EncodeUtf8(lower, pending_);
    next_ = 1;
    return pending_[0];
}

std::string ToLower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    LoweredBytes bytes(text);
    for (int b = bytes.Next(); b >= 0; b = bytes.Next()) out += static_cast<char>(b);
    return out;
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
    // ASCII byte by byte while it lasts; from the first other byte on, the
    // full rules.
    std::size_t same = 0;
    for (; same < a.size() && same < b.size(); ++same) {
        const auto l = static_cast<unsigned char>(a[same]), r = static_cast<unsigned char>(b[same]);
        if (l >= 0x80 || r >= 0x80) break;
        const int lower = LowerAscii(l) - LowerAscii(r);
        if (lower != 0) return lower;
    }
    LoweredBytes left(a.substr(same)), right(b.substr(same));
    for (;;) {
        const int l = left.Next(), r = right.Next();
        if (l != r || l < 0) return l - r;
    }
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return CompareIgnoreCase(a, b) == 0; }

}  // namespace tarvo
