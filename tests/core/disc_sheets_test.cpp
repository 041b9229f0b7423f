// Disc games as one row each: which names are sheets or junk, what a sheet
// names, and which listed names stand behind a sheet.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "text/disc_sheets.h"

namespace tarvo {
namespace {

using namespace std::string_literals;

TEST(DiscSheets, SheetsAndJunkGoByTheName) {
    struct Case { const char* name; SheetKind kind; bool junk; };
    const Case cases[] = {
        {"Game.m3u", SheetKind::Playlist, false},    {"Game (USA).CUE", SheetKind::CueSheet, false},
        {"Game.Gdi", SheetKind::GdRomSheet, false},  {"Game.cue.bin", SheetKind::None, false},
        {"cue", SheetKind::None, false},             {"Game.m3u8", SheetKind::None, false},
        {"", SheetKind::None, false},                {"._Game.cue", SheetKind::CueSheet, true},
        {".DS_Store", SheetKind::None, true},        {"THUMBS.DB", SheetKind::None, true},
        {"ehthumbs.db", SheetKind::None, true},      {"Desktop.ini", SheetKind::None, true},
        {"My Thumbs.db", SheetKind::None, false},    {"desktop.ini.zip", SheetKind::None, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SheetKindOf(c.name), c.kind) << c.name;
        EXPECT_EQ(IsJunkFile(c.name), c.junk) << c.name;
    }
}

TEST(DiscSheets, NamesInTheSheetsOwnFolderOnly) {
    const std::string kElsewhere = "sub/a.bin\n..\\b.bin\n../x.bin\n/etc/passwd\n\\\\server\\c.bin\nC:\\x.bin\nc:x.bin\n.\n..\n";
    struct Case { SheetKind kind; std::string text; std::vector<std::string> named; };
    const Case cases[] = {
        {SheetKind::Playlist,
         "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:0,Game\r\nGame (Disc 1).cue\r\n\r\n  # Disc 2 next\r\n \tGame (Disc 2).cue \t\r\nlast.cue",
         {"Game (Disc 1).cue", "Game (Disc 2).cue", "last.cue"}},
        {SheetKind::Playlist, kElsewhere + "http://host/d.cue\nhere.cue\n", {"here.cue"}},
        {SheetKind::Playlist, "\x7f" "ELF\x02\x01\x01\0\0\nGame.cue\n"s, {}},  // binary: no text
        {SheetKind::None, "Game.cue\n", {}},
        {SheetKind::CueSheet, "\xEF\xBB\xBF" "FILE \"Game (Track 1).bin\" BINARY\r\nREM FILE \"remark.bin\"\r\n  TRACK 01 MODE1/2352\r\n"
                              "    INDEX 01 00:00:00\r\n\tfile \"Game (Track 2).bin\" BINARY\r\n  TRACK 02 AUDIO\r\n",
         {"Game (Track 1).bin", "Game (Track 2).bin"}},
        {SheetKind::CueSheet, "FILE game.bin BINARY\nFILE track2.wav WAVE\nFile \"a b.mp3\" MP3\nFILE b.aiff AIFF\n"
                              "FILE c.bin MOTOROLA\nFILE \"open.bin BINARY\nFILE\nFILE \"\" BINARY\nFILEX \"y.bin\" BINARY\n"
                              "FILE \"../up.bin\" BINARY\nFILE \"C:\\x.bin\" BINARY\nFILE /etc/passwd BINARY\n",
         {"game.bin", "track2.wav", "a b.mp3", "b.aiff", "c.bin"}},
        {SheetKind::CueSheet, "this is no cue sheet\nTRACK 01 AUDIO\n" + kElsewhere, {}},
        {SheetKind::GdRomSheet, "\xEF\xBB\xBF" "3\r\n1 0 4 2352 track01.bin 0\r\n2\t756 0 2352 \"Game (Track 2).raw\" 0\r\n"
                                "  3 45000 4 2352 track03.bin 0\r\n",
         {"track01.bin", "Game (Track 2).raw", "track03.bin"}},
        {SheetKind::GdRomSheet, "\n  \n2\n1 0 4 2352 Game Track 1.bin 0\n1 0 4 2352 a.bin\nx 0 4 2352 b.bin 0\n"
                                "1 y 4 2352 b.bin 0\n1 0 z 2352 b.bin 0\n1 0 4 - b.bin 0\n1 0 4 2352 c.bin 0 more\n"
                                "1 0 4 2352 g.bin -1\n1 0 4 2352 \"../d.bin\" 0\n1 0 4 2352 \"e.bin 0\n2 600 4 2352 f.bin 0\n",
         {"f.bin"}},  // only the last line has the shape of a track
        {SheetKind::GdRomSheet, "tracks\n1 0 4 2352 a.bin 0\n", {}},  // no track count first: no .gdi
    };
    for (const auto& c : cases) EXPECT_EQ(NamedBySheet(c.kind, c.text), c.named) << c.text;
}

TEST(DiscSheets, OneRowPerGame) {
    // A sheet left out of `sheets` cannot be read.
    struct Case { std::vector<std::string> names; std::map<std::string, std::string> sheets; std::vector<std::string> hidden; };
    const std::string kBigPlaylist = "Game.cue\n" + std::string(1024 * 1024, '#');
    const std::string kLargestPlaylist = "Game.cue\n" + std::string(64 * 1024 - 9, '#');  // 64 KiB: the most a sheet may hold
    const Case cases[] = {
        {{"Game.cue", "Game.bin", "Other.bin"}, {{"Game.cue", "FILE \"Game.bin\" BINARY\n"}}, {"Game.bin"}},
        {{"Game (Track 1).bin", "Game.cue", "GAME (TRACK 2).BIN", "Game (Track 3).bin"},
         {{"Game.cue", "FILE \"Game (Track 1).bin\" BINARY\nFILE \"Game (Track 2).bin\" BINARY\n"}},
         {"Game (Track 1).bin", "GAME (TRACK 2).BIN"}},
        {{"Game.m3u", "Game (Disc 1).cue", "Game (Disc 1).bin", "Game (Disc 2).cue", "Game (Disc 2) (Track 1).bin"},
         {{"Game.m3u", "Game (Disc 1).cue\nGame (Disc 2).cue\n"},
          {"Game (Disc 2).cue", "FILE \"Game (Disc 2) (Track 1).bin\" BINARY\n"}},  // Disc 1's .cue cannot be read
         {"Game (Disc 1).cue", "Game (Disc 1).bin", "Game (Disc 2).cue", "Game (Disc 2) (Track 1).bin"}},
        {{"Game.cue", "Game.BIN", "GAME.img", "Game (Track 2).bin", "Game.iso", "Game.cue.bin", "Ülkü.cue", "ülkü.bin"},
         {}, {"Game.BIN", "GAME.img", "ülkü.bin"}},  // unreadable: the same stem still goes
        {{"Game.cue", "Game.bin"}, {{"Game.cue", "FILE \"Track 1.bin\" BINARY\n"}}, {"Game.bin"}},  // a missing track
        {{"Game.cue", "Other.bin", "Game (Track 1).bin"},
         {{"Game.cue", "FILE \"sub/Other.bin\" BINARY\nFILE \"../Game (Track 1).bin\" BINARY\nFILE Missing.bin BINARY\n"}}, {}},
        {{"A.m3u", "B.m3u", "Disc.cue"}, {{"A.m3u", "Disc.cue\n"}, {"B.m3u", "disc.CUE\n"}}, {"Disc.cue"}},
        {{"Game.m3u", "Game.cue"}, {{"Game.m3u", "game.M3U\nGame.cue\n"}}, {"Game.cue"}},  // naming itself
        {{"A.m3u", "B.m3u", "A.cue"}, {{"A.m3u", "B.m3u\nA.cue\n"}, {"B.m3u", "A.m3u\n"}}, {"A.cue"}},  // naming each other
        {{"Game.gdi", "track01.bin", "Game (Track 2).raw", "track03.bin"},
         {{"Game.gdi", "3\n1 0 4 2352 track01.bin 0\n2 756 0 2352 \"Game (Track 2).raw\" 0\n3 45000 4 2352 track03.bin 0\n"}},
         {"track01.bin", "Game (Track 2).raw", "track03.bin"}},
        {{"Big.m3u", "Game.cue"}, {{"Big.m3u", kBigPlaylist}}, {}},  // too large: no sheet
        {{"Big.m3u", "Game.cue"}, {{"Big.m3u", kLargestPlaylist}}, {"Game.cue"}},
        {{"a.bin", "b.img", "c.zip", "d.bin.cue.zip"}, {}, {}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        NameList names;
        for (const std::string& name : c.names) names.Add(name);
        const auto readSheet = [&](std::string_view name) -> std::optional<std::string> {
            EXPECT_NE(SheetKindOf(name), SheetKind::None) << name;  // only sheets are read
            const auto sheet = c.sheets.find(std::string(name));
            if (sheet == c.sheets.end()) return std::nullopt;
            return sheet->second;
        };
        const std::vector<bool> hidden = HiddenBehindSheets(names, readSheet);
        std::vector<std::string> hiddenNames;
        for (std::size_t i = 0; i < hidden.size(); ++i) {
            if (hidden[i]) hiddenNames.push_back(c.names[i]);
        }
        EXPECT_EQ(hiddenNames, c.hidden) << c.names.size() << " names, the first " << (c.names.empty() ? "" : c.names[0]);
        EXPECT_EQ(hidden.size(), c.hidden.empty() ? 0 : names.size());  // nothing hidden: empty
    }
}

}  // namespace
}  // namespace tarvo
