// libFuzzer targets for the rules that meet untrusted text: file names,
// command lines, Tarvo.conf. Each program is this file built with one
// TARVO_FUZZ_<target> defined; each checks what must hold for any input.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "command_line.h"
#include "text/clean_names.h"
#include "text/gamelist.h"
#include "text/ini.h"
#include "ui/find_rows.h"
#include "launch/launch.h"
#include "text/name_order.h"
#include "text/paths.h"
#include "text/utf8.h"
#include "text/wildcard.h"
#include "ui/display_name.h"
#include "ui/file_list.h"
#include "ui/preview.h"

namespace tarvo {
namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Before and after the first line break.
[[maybe_unused]] std::pair<std::string, std::string> Split(const std::string& input) {
    const std::size_t cut = std::min(input.find('\n'), input.size());
    return {input.substr(0, cut), input.substr(std::min(cut + 1, input.size()))};
}

#if defined(TARVO_FUZZ_wildcard)
// A pattern's plain definition, by dynamic programming over lower-cased characters.
std::u32string Lowered(const std::string& text) {
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size(); pos += DecodeAt(text, pos).length) {
        const Utf8Char c = DecodeAt(text, pos);
        out += c.valid ? LowerChar(c.codePoint) : 0x110000 + c.codePoint;
    }
    return out;
}
void Check(const std::string& input) {
    const auto [pattern, name] = Split(input);
    if (pattern.empty() || pattern.size() > 64 || name.size() > 255 || pattern.find(';') != std::string::npos) return;
    const std::u32string p = Lowered(pattern), n = Lowered(name);
    std::vector<std::vector<bool>> m(p.size() + 1, std::vector<bool>(n.size() + 1));
    m[0][0] = true;
    for (std::size_t i = 1; i <= p.size(); ++i) {
        for (std::size_t j = 0; j <= n.size(); ++j) {
            m[i][j] = p[i - 1] == U'*' ? m[i - 1][j] || (j > 0 && m[i][j - 1])
                                        : j > 0 && m[i - 1][j - 1] && (p[i - 1] == U'?' || p[i - 1] == n[j - 1]);
        }
    }
    Require(WildcardSet(pattern).Matches(name) == (pattern == "*.*" || m[p.size()][n.size()]));
}
#elif defined(TARVO_FUZZ_utf8)
void Check(const std::string& text) {
    const std::size_t count = CharCount(text);
    const std::string other = LastChars(text, count / 2);
    Require(CharCount(ToLower(text)) == count && FirstChars(text, count - count / 2) + other == text);
    Require(DropLastChars(text, 4) == (count < 4 ? std::string() : FirstChars(text, count - 4)));
    const int full = ToLower(text).compare(ToLower(other)), fast = CompareIgnoreCase(text, other);
    Require((full < 0) == (fast < 0) && (full > 0) == (fast > 0));
    const std::string shown = ShortenedForDisplay(text, '/');
    Require(count <= 260 ? shown == text : CharCount(shown) == 260 && text.rfind(FirstChars(shown, 150), 0) == 0);
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
        const int byKey = ToLower(lines[order[i - 1]]).compare(ToLower(lines[order[i]]));
        Require(byKey < 0 || (byKey == 0 && lines[order[i - 1]] <= lines[order[i]]));
    }
    const auto [name, folder] = Split(input);
    const std::string_view shown = StripExtension(name);
    Require(name.compare(0, shown.size(), shown) == 0 && (shown == name || name[shown.size()] == '.'));
    const std::vector<std::string> candidates = PreviewCandidates(folder + "/", "/app/", name, '/');
    const std::size_t count = candidates.size();  // with a stem, the other tools' layouts too
    Require(CharCount(name) < 4 ? count == 8 : CharCount(name) == 4 ? count == 12 : count >= 22 && count <= 26);
    for (const auto& c : candidates) Require(c.rfind(folder + "/", 0) == 0 || c.rfind("/app/logo.", 0) == 0);
}
#elif defined(TARVO_FUZZ_parameters)
void Check(const std::string& input) {
    const auto [folder, name] = Split(input);
    Require(BuildParameterString(1, folder, name, '\\') == ToLower(DropLastChars(name, 4)));
    const std::string full = BuildParameterString(0, folder, name, '\\');
    Require(full.rfind(folder, 0) == 0 && full.size() - name.size() - folder.size() <= 1 &&
            full.compare(full.size() - name.size() - 1, std::string::npos, "\\" + name) == 0);
}
#elif defined(TARVO_FUZZ_settings)
void Check(const std::string& text) {
    for (const char* key : {"roms", "emu", "shots"}) {
        const std::optional<std::string> value = IniValue(text, "Settings", key);
        Require(!value || (text.find(*value) != std::string::npos && (value->empty() || (value->front() != ' ' && value->back() != ' '))));
    }
}
#elif defined(TARVO_FUZZ_gamelist)
// Whatever a gamelist holds, each game it gives is a file of the folder itself.
void Check(const std::string& text) {
    if (const std::optional<GameList> games = GameList::Parse(text, "/roms/")) {
        Require(games->size() <= text.size() / 20 + 1);
        Require(!games->Find("") && !games->Find("sub/x.sfc"));
    }
    Require(FindRows(FoldedRows({std::string_view(text)}), text).size() == 1);  // a name holds every word of itself
    Require(!CleanName(text).empty() || text.empty() || text.find_first_not_of(' ') == std::string::npos);
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
