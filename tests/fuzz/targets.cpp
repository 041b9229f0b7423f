// libFuzzer targets for the rules that meet untrusted text: file names,
// command lines, Tarvo.conf. Each program is this file built with one
// TARVO_FUZZ_<target> defined; each checks what must hold for any input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_line.h"
#include "ini_settings.h"
#include "launch/launch.h"
#include "text/paths.h"
#include "text/utf8.h"
#include "text/wildcard.h"
#include "ui/display_name.h"
#include "ui/file_list.h"
#include "ui/preview.h"

namespace tarvo {
namespace {

[[maybe_unused]] void Require(bool condition) {
    if (!condition) std::abort();
}

[[maybe_unused]] bool StartsWith(std::string_view text, std::string_view start) { return text.compare(0, start.size(), start) == 0; }
[[maybe_unused]] bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The input as two texts: before and after its first line break.
[[maybe_unused]] std::pair<std::string, std::string> Split(const std::string& input) {
    const std::size_t cut = input.find('\n');
    return cut == std::string::npos ? std::pair{input, std::string()} : std::pair{input.substr(0, cut), input.substr(cut + 1)};
}

#if defined(TARVO_FUZZ_wildcard)
// The plain definition of one pattern, by dynamic programming over characters.
bool Reference(const std::u32string& p, const std::u32string& n) {
    std::vector<std::vector<bool>> m(p.size() + 1, std::vector<bool>(n.size() + 1));
    m[0][0] = true;
    for (std::size_t i = 1; i <= p.size(); ++i) {
        for (std::size_t j = 0; j <= n.size(); ++j) {
            m[i][j] = p[i - 1] == U'*' ? m[i - 1][j] || (j > 0 && m[i][j - 1])
                                        : j > 0 && m[i - 1][j - 1] && (p[i - 1] == U'?' || p[i - 1] == n[j - 1]);
        }
    }
    return m[p.size()][n.size()];
}
std::u32string Lowered(const std::string& text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Char c = DecodeAt(text, pos);
        out += c.valid ? LowerChar(c.codePoint) : 0x110000 + c.codePoint;
        pos += c.length;
    }
    return out;
}
void Check(const std::string& input) {
    const auto [pattern, name] = Split(input);
    if (pattern.size() > 64 || name.size() > 255 || pattern.find(';') != std::string::npos) return;
    const bool everything = pattern == "*.*" || pattern == "*";
    Require(WildcardSet(pattern).Matches(name) == (!pattern.empty() && (everything || Reference(Lowered(pattern), Lowered(name)))));
}
#elif defined(TARVO_FUZZ_utf8)
void Check(const std::string& text) {
    const std::size_t count = CharCount(text);
    Require(CharCount(ToLower(text)) == count && EqualsIgnoreCase(text, ToLower(text)));
    Require(FirstChars(text, count / 2) + LastChars(text, count - count / 2) == text);
    Require(DropLastChars(text, 4) == (count < 4 ? std::string() : FirstChars(text, count - 4)));
    const std::string other = LastChars(text, count / 2);
    const int full = ToLower(text).compare(ToLower(other));
    Require((CompareIgnoreCase(text, other) > 0) == (full > 0) && (CompareIgnoreCase(text, other) < 0) == (full < 0));
    const std::string shown = ShortenedForDisplay(text, '/');
    Require(count <= 260 ? shown == text : CharCount(shown) == 260 && StartsWith(text, FirstChars(shown, 150)));
}
#elif defined(TARVO_FUZZ_names)
void Check(const std::string& input) {
    NameList lines;  // in the list's order: letter case ignored, then the exact text
    for (std::size_t start = 0, end; start <= input.size(); start = end + 1) {
        end = std::min(input.find('\n', start), input.size());
        lines.Add(std::string_view(input).substr(start, end - start));
    }
    const std::vector<std::uint32_t> order = OrderLikeFileList(lines);
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::string_view a = lines[order[i - 1]], b = lines[order[i]];
        const int byKey = ToLower(a).compare(ToLower(b));
        Require(byKey < 0 || (byKey == 0 && a <= b));
    }
    const auto [name, folder] = Split(input);
    const std::string_view shown = StripExtension(name);
    Require(StartsWith(name, shown) && (shown == name || name[shown.size()] == '.'));
    const std::vector<std::string> candidates = PreviewCandidates(folder + "/", "/app/", name);
    Require(candidates.size() == (CharCount(name) >= 4 ? 12u : 8u));
    for (const auto& c : candidates) Require(StartsWith(c, folder + "/") || StartsWith(c, "/app/logo."));
}
#elif defined(TARVO_FUZZ_parameters)
void Check(const std::string& input) {
    const auto [folder, name] = Split(input);
    Require(BuildParameterString(1, folder, name, '\\') == ToLower(DropLastChars(name, 4)));
    const std::string full = BuildParameterString(0, folder, name, '\\');
    Require(StartsWith(full, folder) && EndsWith(full, "\\" + name) && full.size() - name.size() - folder.size() <= 1);
}
#elif defined(TARVO_FUZZ_settings)
void Check(const std::string& text) {
    for (const char* key : {"roms", "emu", "shots"}) {
        const std::optional<std::string> value = IniValue(text, "Settings", key);
        Require(!value || (text.find(*value) != std::string::npos && (value->empty() || (value->front() != ' ' && value->back() != ' '))));
    }
}
#elif defined(TARVO_FUZZ_command_line)
void Check(const std::string& input) {
    const std::wstring line(input.begin(), input.end());
    const std::wstring tail = win32::CommandLineTail(line);
    Require(line.size() >= tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0);
    Require(tail.empty() || (tail.front() != L' ' && tail.front() != L'\t'));
}
#endif

}  // namespace
}  // namespace tarvo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvo::Check(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
