#include "text/disc_sheets.h"

#include <algorithm>
#include <unordered_set>

#include "text/utf8.h"

namespace tarvo {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr auto npos = std::string_view::npos;

std::string_view ExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view StemOf(std::string_view name) { return name.substr(0, name.rfind('.')); }

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The lines less their line ends (LF or CRLF), after a byte-order mark.
std::vector<std::string_view> LinesOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

// Takes the next field off the front of rest: one in double quotes (blanks
// and all, less the quotes) or one up to a blank. False when none is left
// or a quote is never closed.
bool TakeField(std::string_view& rest, std::string_view& field) {
    const std::size_t start = rest.find_first_not_of(kBlanks);
    if (start == npos) return false;
    rest.remove_prefix(start);
    if (rest.front() == '"') {
        const std::size_t close = rest.find('"', 1);
        if (close == npos) return false;
        field = rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
        return true;
    }
    field = rest.substr(0, rest.find_first_of(kBlanks));
    rest.remove_prefix(field.size());
    return true;
}

bool IsNumber(std::string_view field) {
    return !field.empty() && std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A file beside the sheet: a sheet written elsewhere must not hide a
// neighbour that only shares a file name with what it meant.
bool IsNeighbourName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != npos) return false;
    const char first = LowerAscii(name[0]);
    const bool driveLetter = name.size() >= 2 && name[1] == ':' && first >= 'a' && first <= 'z';
    return !driveLetter;
}

// "Game (Disc 1).cue"; "#EXTM3U" and other lines after a "#" are comments.
std::string_view PlaylistEntry(std::string_view line) {
    const std::string_view name = Trimmed(line);
    return !name.empty() && name.front() == '#' ? std::string_view() : name;
}

// FILE "Game (Track 1).bin" BINARY
std::string_view CueSheetEntry(std::string_view line) {
    std::string_view keyword, name;
    if (!TakeField(line, keyword) || !EqualsIgnoreCase(keyword, "FILE") || !TakeField(line, name)) return {};
    return name;
}

// <track> <lba> <type> <sector size> <file name> <offset>
std::string_view GdRomTrack(std::string_view line) {
    std::string_view fields[6], extra;
    for (std::string_view& field : fields) {
        if (!TakeField(line, field)) return {};
    }
    const bool shaped = !TakeField(line, extra) && IsNumber(fields[0]) && IsNumber(fields[1]) && IsNumber(fields[2]) &&
                        IsNumber(fields[3]) && IsNumber(fields[5]);
    return shaped ? fields[4] : std::string_view();
}

bool IsTrackImage(std::string_view name) {
    const std::string_view extension = ExtensionOf(name);
    return EqualsIgnoreCase(extension, "bin") || EqualsIgnoreCase(extension, "img");
}

// The text lower-cased into one buffer used again and again: no allocation per name.
const std::string& LoweredInto(std::string_view text, std::string& buffer) {
    buffer.clear();
    LoweredBytes bytes(text);
    for (int b = bytes.Next(); b >= 0; b = bytes.Next()) buffer += static_cast<char>(b);
    return buffer;
}

}  // namespace

SheetKind SheetKindOf(std::string_view fileName) {
    const std::string_view extension = ExtensionOf(fileName);
    if (EqualsIgnoreCase(extension, "m3u")) return SheetKind::Playlist;
    if (EqualsIgnoreCase(extension, "cue")) return SheetKind::CueSheet;
    if (EqualsIgnoreCase(extension, "gdi")) return SheetKind::GdRomSheet;
    return SheetKind::None;
}

std::vector<std::string> NamedBySheet(SheetKind kind, std::string_view text) {
    std::vector<std::string> names;
    if (kind == SheetKind::None || text.find('\0') != npos) return names;
    const std::vector<std::string_view> lines = LinesOf(text);
    auto line = lines.begin();
    if (kind == SheetKind::GdRomSheet) {
        // The first line that says anything is the track count; without it the text is no .gdi.
        line = std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return !Trimmed(l).empty(); });
        if (line == lines.end() || !IsNumber(Trimmed(*line))) return names;
        ++line;
    }
    for (; line != lines.end(); ++line) {
        const std::string_view name = kind == SheetKind::Playlist   ? PlaylistEntry(*line)
                                      : kind == SheetKind::CueSheet ? CueSheetEntry(*line)
                                                                    : GdRomTrack(*line);
        if (IsNeighbourName(name)) names.emplace_back(name);
    }
    return names;
}

std::vector<bool> HiddenBehindSheets(const NameList& names,
                                     const std::function<std::optional<std::string>(std::string_view name)>& readSheet) {
    std::unordered_set<std::string> named, cueStems;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const SheetKind kind = SheetKindOf(names[i]);
        if (kind == SheetKind::None) continue;
        if (kind == SheetKind::CueSheet) cueStems.insert(ToLower(StemOf(names[i])));
        const std::optional<std::string> text = readSheet(names[i]);
        if (!text || text->size() > kMostSheetBytes) continue;
        const std::string self = ToLower(names[i]);
        for (const std::string& name : NamedBySheet(kind, *text)) {
            std::string lowered = ToLower(name);
            // A sheet naming itself is still the game; a playlist never
            // hides another, so two that name each other keep their rows.
            const bool playlists = kind == SheetKind::Playlist && SheetKindOf(name) == SheetKind::Playlist;
            if (lowered != self && !playlists) named.insert(std::move(lowered));
        }
    }
    if (named.empty() && cueStems.empty()) return {};
    std::vector<bool> hidden(names.size());
    bool anyHidden = false;
    std::string lowered;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        hidden[i] = named.count(LoweredInto(name, lowered)) > 0 ||
                    (IsTrackImage(name) && cueStems.count(LoweredInto(StemOf(name), lowered)) > 0);
        anyHidden = anyHidden || hidden[i];
    }
    if (!anyHidden) return {};
    return hidden;
}

bool IsJunkFile(std::string_view name) {
    static constexpr std::string_view kSystemFiles[] = {"thumbs.db", "ehthumbs.db", "desktop.ini"};
    if (!name.empty() && name.front() == '.') return true;
    return std::any_of(std::begin(kSystemFiles), std::end(kSystemFiles),
                       [&](std::string_view file) { return EqualsIgnoreCase(name, file); });
}

void LeaveOutNonGames(NameList& names,
                      const std::function<std::optional<std::string>(std::string_view name)>& readSheet) {
    const std::vector<bool> hidden = HiddenBehindSheets(names, readSheet);
    bool anyJunk = false;
    for (std::size_t i = 0; i < names.size() && !anyJunk; ++i) anyJunk = IsJunkFile(names[i]);
    if (hidden.empty() && !anyJunk) return;
    NameList games;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!IsJunkFile(names[i]) && (hidden.empty() || !hidden[i])) games.Add(names[i]);
    }
    names = std::move(games);
}

}  // namespace tarvo
