// The program's rules that need no window: text, names, the profile table,
// the layout, the picture candidates, the parameter string, the pad.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/emulator_profiles.h"
#include "app/game_session.h"
#include "app/pad_reading.h"
#include "app/picture_on_show.h"
#include "launch/launch.h"
#include "launch/session_helpers.h"
#include "text/clean_names.h"
#include "text/ini.h"
#include "text/last_lines.h"
#include "text/paths.h"
#include "text/set_titles.h"
#include "text/utf8.h"
#include "text/wildcard.h"
#include "ui/display_name.h"
#include "ui/find_rows.h"
#include "ui/list_colours.h"
#include "ui/pad_input.h"
#include "ui/preview.h"
#include "ui/type_ahead.h"

namespace tarvo {
namespace {

TEST(Utf8, CharactersNotBytes) {
    struct Case { const char* text; std::size_t chars; const char* lessFour; const char* lower; };
    const Case cases[] = {
        {"Ülkü.ZIP", 8, "Ülkü", "ülkü.zip"},
        {"ゲーム.zip", 7, "ゲーム", "ゲーム.zip"},
        {"abcd", 4, "", "abcd"}, {"⒵ⓐ", 2, "", "⒵ⓐ"}, {"🎮.ZIP", 5, "🎮", "🎮.zip"},  // beside the capitals; four bytes
        {"ΣΟΝΙΚ ΫΑ", 8, "ΣΟΝΙ", "σονικ ϋα"},
        {"МАРИО ǞǍ", 8, "МАРИ", "марио ǟǎ"},
        {"ŁÓDŹ ŽAŠ ſ", 10, "ŁÓDŹ Ž", "łódź žaš ſ"},
        // the first and the last letter of each range of capitals
        {"ĀĮĲĶĹŇŊŶŸŹŽǍǛǞǮǸȞȢȲɆɎΆΈΊΌΎΏΑΫϘϮЀЏАЯѠҀҊҾӀӁӍӐԮԱՖႠჅḀẔẞẠỾⅠⅯⒶⓏＡＺİ", 60, "ĀĮĲĶĹŇŊŶŸŹŽǍǛǞǮǸȞȢȲɆɎΆΈΊΌΎΏΑΫϘϮЀЏАЯѠҀҊҾӀӁӍӐԮԱՖႠჅḀẔẞẠỾⅠⅯⒶ",
         "āįĳķĺňŋŷÿźžǎǜǟǯǹȟȣȳɇɏάέίόύώαϋϙϯѐџаяѡҁҋҿӏӂӎӑԯաֆⴀⴥḁẕßạỿⅰⅿⓐⓩａｚi"},
        {"a\xff" "B\xC3", 4, "", "a\xff" "b\xC3"}, {"\xC1\x81\xE0\x81\x81\xF4\x90\x80\x80", 9, "\xC1\x81\xE0\x81\x81", "\xC1\x81\xE0\x81\x81\xF4\x90\x80\x80"}, {"\xff\xfe.ZIP", 6, "\xff\xfe", "\xff\xfe.zip"},  // a byte not UTF-8 is one character, kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharCount(c.text), c.chars) << c.text;
        EXPECT_EQ(DropLastChars(c.text, 4), c.lessFour) << c.text;
        EXPECT_EQ(ToLower(c.text), c.lower) << c.text;
    }
    EXPECT_TRUE(EqualsIgnoreCase("C:\\EMU\\ZSNESW.EXE", "c:\\emu\\zsnesw.exe"));
    EXPECT_TRUE(EqualsIgnoreCase("ZİP", "zip"));  // the İ lower-cases to ASCII
}

TEST(Wildcard, MatchesLikeTheFileList) {
    struct Case { const char* patterns; const char* name; bool matches; };
    const Case cases[] = {
        {"*.*", "README", true},           {"*.*", "game.zip", true},
        {"*.zip", "GAME.ZIP", true},       {"*.zip", "game.zip.bak", false},
        {"*.zip", "zip", false},           {"*.?64", "mario.n64", true},
        {"*.?64", "mario.v64", true},      {"*.?64", "mario.64", false},
        {"*.smc;*.sfc", "zelda.SFC", true}, {"*.smc;*.sfc", "zelda.fig", false},
        {"*.1;*.2", "game.1", true},       {"*.nes", "Ülkü.NES", true},
        {"yame*.exe", "YAME32.exe", true}, {"yame*.exe", "yame.exe", true},
        {"yame*.exe", "xyame.exe", false}, {"*.zip;", "a.zip", true},
        {"a*b*c", "aXbYbZc", true},        {"a*b*c", "aXbYbZ", false},
        {"?", "Ü", true},                  {"*.zip", "\xff.zip", true},
        {"*.zip", "*x.zip", true},         {"a*", "a*b", true},  // "*" and "?" in a name are plain letters
        {"*.?64", "?.?64", true},          {"a*c", "*b*", false},
        {"a**", "a", true},                {"x;;*.zip", "a.zip", true},
        // Names beyond ASCII, where the fast paths hand over to the full rules.
        {"*.zip", "GAME.ZİP", true},       {"*.ZIP", "Ülkü.zip", true},
        {"yame*.exe", "YAMEÜ.EXE", true},  {"*.nes", "ゲーム.NEŞ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardSet(c.patterns).Matches(c.name), c.matches) << c.patterns << " vs " << c.name;
    }
}

TEST(SetTitles, OnlyAWholeListFullAnswerCounts) {
    const std::string kHeader = "Name:             Description:\n";
    const std::string good = kHeader + "pacman            \"Pac-Man (Midway)\"\r\n\ncc10  \"Chess Challenger \"10\" (model CCX)\"\n"
                             "Attache  \"Attaché\"\nZzyzx_9 \"Zzyzx\"\n";  // every character a set's name may have
    const SetTitles titles = SetTitles::FromListFull(good);
    EXPECT_EQ(titles.size(), 4u);
    EXPECT_EQ(titles.Find("pacma"), "");
    EXPECT_EQ(titles.Find("PACMAN"), "Pac-Man (Midway)");  // letter case ignored
    EXPECT_EQ(titles.Find("cc10"), "Chess Challenger \"10\" (model CCX)");  // to the last quote
    EXPECT_EQ(titles.Find("attache"), "Attaché");
    EXPECT_EQ(titles.Find("zzyzx_9"), "Zzyzx");
    const std::string garbled[] = {
        "", "pacman \"Pac-Man\"\n",                                  // no header
        kHeader + "pacman \"Pac-Man\"\nthis is not a set\n",         // a line of another shape
        kHeader + "pacman\"Pac-Man\"\n", kHeader + "pacman \"Pac-Man\n", kHeader + "pac-man \"Pac-Man\"\n",
        kHeader + "pacman \"Pac\xff-Man\"\n", kHeader + "pacman \"Pac\x01Man\"\n",  // not UTF-8; control characters
        kHeader + "pacman \"" + std::string(2000, 'P') + "\"\n", kHeader + std::string(65, 's') + " \"S\"\n",  // too long
        "\x7f" "ELF\x02\x01\x01" + kHeader,                           // binary
    };
    for (const std::string& answer : garbled) EXPECT_TRUE(SetTitles::FromListFull(answer).empty()) << answer.substr(0, 60);
    std::string twice = kHeader;  // a set told again and again
    for (int i = 0; i < 100; ++i) twice += "pacman \"Pac-Man\"\n";
    EXPECT_EQ(SetTitles::FromListFull(twice).Find("pacman"), "Pac-Man");
}

TEST(Ini, ValuesAreTakenAsWritten) {
    const std::string conf = "; comment\r\n[Other]\r\nroms=/wrong\r\n[Settings]\r\n"
                             "roms = /home/me/My \"Roms\", all\\old \r\nshots=\nEMU=/usr/games/mame\n";
    EXPECT_EQ(IniValue(conf, "Settings", "roms"), "/home/me/My \"Roms\", all\\old");
    EXPECT_EQ(IniValue(conf, "Settings", "shots"), "");
    EXPECT_EQ(IniValue(conf, "Settings", "emu"), "/usr/games/mame");
    EXPECT_EQ(IniValue(conf, "Settings", "missing"), std::nullopt);
}

TEST(Paths, VeryLongPathsAreShownShortenedInTheMiddle) {
    auto repeat = [](const std::string& text, int n) { std::string out; while (n-- > 0) out += text; return out; };
    const std::string folder = "C:\\" + std::string(300, 'f');
    struct Case { std::string path, shown; };
    const Case cases[] = {
        {"C:\\Emu\\zsnesw.exe", "C:\\Emu\\zsnesw.exe"},
        {"/" + repeat("ü", 259), "/" + repeat("ü", 259)},  // 260 characters: whole
        {"/" + repeat("ü", 260), "/" + repeat("ü", 158) + "…" + repeat("ü", 100)},
        {folder + "\\zsnesw.exe", folder.substr(0, 248) + "…\\zsnesw.exe"},
        {folder + "\\" + std::string(150, 'n'), folder.substr(0, 158) + "…\\" + std::string(100, 'n')},
        {std::string(100000, 'x'), std::string(159, 'x') + "…" + std::string(100, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenedForDisplay(c.path, '\\'), c.shown) << c.path.size();
}

TEST(ProfileTable, RowsAsDesigned) {
    int modeOne = 0;
    for (int i = 0; i < kProfileCount; ++i) {
        const auto& row = kEmulatorProfiles[i];
        EXPECT_EQ(row.match == EmulatorProfile::Match::FolderWildcard, i >= 47) << i + 1;
        EXPECT_EQ(std::string(row.captionSuffix).rfind(" - ", 0), 0u) << i + 1;
        EXPECT_EQ(row.filePattern == nullptr, i == 41) << i + 1;
        EXPECT_EQ(row.tellsTitles, i == 32) << i + 1;  // mame.exe only
        modeOne += row.launchMode;
        // A path ends in at most one name: the order of the name rows only
        // matters for adoption.
        for (int j = 0; j < 47 && i < 47; ++j) {
            const std::string a = ToLower(row.executable), b = ToLower(kEmulatorProfiles[j].executable);
            EXPECT_TRUE(i == j || b.size() < a.size() || b.substr(b.size() - a.size()) != a) << a << " / " << b;
        }
    }
    EXPECT_EQ(modeOne, 10);
}

TEST(FindLine, TheCountIsGroupedByThousands) {
    struct Case { std::size_t found, all; const char* heard; };
    const Case cases[] = {{0, 1, "0 of 1 ROM"}, {12, 999, "12 of 999 ROMs"}, {100, 40008, "100 of 40,008 ROMs"},
                          {999999, 1234567, "999,999 of 1,234,567 ROMs"}};
    for (const Case& c : cases) EXPECT_EQ(FoundLine(c.found, c.all), c.heard);
}

TEST(DisplayNames, StripTheLastExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"pacman.zip", "pacman"}, {"Sonic 3.smd", "Sonic 3"}, {"game.tar.gz", "game.tar"},
        {"README", "README"},     {".gen", ""},               {"Ülkü.NES", "Ülkü"}};
    for (auto [name, shown] : cases) EXPECT_EQ(StripExtension(name), shown);
}

TEST(TypeAhead, CharactersTypedWithinASecondFormAPrefix) {
    const std::vector<std::string_view> rows = {"Banana", "berry", "", "Star Fox", "Sunset Riders", "Super Mario World",
                                                "Super Metroid", "Ülkü", "Zelda"};
    // Each step: the character, when it is typed (ms), the row selected afterwards.
    struct Step { char32_t character; std::int64_t time; int row; };
    struct Case { int selected; std::vector<Step> steps; };
    const Case cases[] = {
        {-1, {{U's', 0, 3}, {U'u', 100, 4}, {U'p', 200, 5}}},                 // "sup": Super Mario World
        {5, {{U's', 0, 6}, {U't', 999, 3}, {U'a', 1998, 3}}},                // each within the second: one prefix, "sta"
        {5, {{U's', 0, 6}, {U's', 1000, 3}}},                                // a second's pause: "s" anew
        {3, {{U'S', 0, 4}, {U'U', 10, 4}, {U'p', 20, 5}, {U'E', 30, 5}, {U'r', 40, 5}, {U' ', 50, 5}, {U'm', 60, 5}, {U'e', 70, 6}}},
        {4, {{U'x', 0, 4}, {U's', 5000, 5}, {U'x', 5001, 5}}},               // nothing begins so: the selection stays
        {0, {{U'b', 0, 1}, {U'b', 10, 0}, {U'b', 20, 1}}},                   // one letter again and again, round the end
        {-1, {{U'ü', 0, 7}, {U'L', 10, 7}, {U'z', 5000, 8}}},                // beyond ASCII, case ignored
    };
    for (const auto& c : cases) {
        TypeAhead typeAhead;
        int selected = c.selected;
        for (const Step& step : c.steps) {
            const int row = typeAhead.Typed(rows, step.character, step.time, selected);
            if (row >= 0) selected = row;
            EXPECT_EQ(selected, step.row) << int(step.character) << " at " << step.time;
        }
    }
    EXPECT_EQ(TypeAhead().Typed({}, U'a', 0, -1), -1);
    const std::string_view a = "a";  // an empty row viewing the start of another's text ends before its "a"
    EXPECT_EQ(TypeAhead().Typed({a.substr(0, 0), a}, U'a', 0, -1), 1);
}

TEST(TypeAhead, TriggersJumpFromOneFirstLetterToTheNext) {
    const std::vector<std::string_view> rows = {"", "Alpha", "apple", "Star Fox", "Sunset Riders", "Super Metroid", "Zelda"};
    struct Case { int selected, next, previous; };
    const Case cases[] = {{-1, 0, -1}, {0, 1, -1}, {1, 3, 0}, {2, 3, 0}, {4, 6, 1}, {5, 6, 1}, {6, -1, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(FirstOfNextLetter(rows, c.selected), c.next) << c.selected;
        EXPECT_EQ(FirstOfPreviousLetter(rows, c.selected), c.previous) << c.selected;
    }
}

TEST(ListColours, DesignedOnALightWindowTheSystemsOnADarkOneOrInHighContrast) {
    struct Case { unsigned window, text; bool highContrast; unsigned background, shownText; };
    const Case cases[] = {
        {0xFFFFFF, 0x000000, false, 0xFFFFFF, 0x0000FF}, {0xF0F0F0, 0x101010, false, 0xFFFFFF, 0x0000FF},
        {0x808080, 0x000000, false, 0xFFFFFF, 0x0000FF}, {0x7F7F7F, 0xFFFFFF, false, 0x7F7F7F, 0xFFFFFF},
        {0x000000, 0xFFFF00, false, 0x000000, 0xFFFF00}, {0x0000FF, 0xFFFFFF, false, 0x0000FF, 0xFFFFFF},
        {0xFFFFFF, 0x000000, true, 0xFFFFFF, 0x000000},  // high contrast white
    };
    for (const auto& c : cases) {
        const ListColours colours = ListColoursFor(c.window, c.text, c.highContrast);
        EXPECT_EQ(colours.background, c.background) << std::hex << c.window;
        EXPECT_EQ(colours.text, c.shownText) << std::hex << c.window;
    }
}

TEST(Preview, CandidatesInOrder) {
    EXPECT_EQ(PreviewCandidates("C:\\Front\\shots\\", "C:\\Front\\", "sonic.bin", '\\'),
              (std::vector<std::string>{
                  "C:\\Front\\shots\\sonic.bin.gif", "C:\\Front\\shots\\sonic.bin.jpg",
                  "C:\\Front\\shots\\sonic.bin.bmp", "C:\\Front\\shots\\sonic.gif", "C:\\Front\\shots\\sonic.jpg",
                  "C:\\Front\\shots\\sonic.bmp", "C:\\Front\\shots\\sonic.bin.png", "C:\\Front\\shots\\sonic.png",
                  "C:\\Front\\shots\\sonic\\0000.png", "C:\\Front\\shots\\Named_Snaps\\sonic.png",
                  "C:\\Front\\shots\\Named_Titles\\sonic.png", "C:\\Front\\shots\\Named_Boxarts\\sonic.png",
                  "C:\\Front\\shots\\screenshots\\sonic.png", "C:\\Front\\shots\\screenshots\\sonic.jpg",
                  "C:\\Front\\shots\\titlescreens\\sonic.png", "C:\\Front\\shots\\titlescreens\\sonic.jpg",
                  "C:\\Front\\shots\\covers\\sonic.png", "C:\\Front\\shots\\covers\\sonic.jpg",
                  "C:\\Front\\logo.gif", "C:\\Front\\logo.jpg", "C:\\Front\\logo.bmp", "C:\\Front\\logo.png"}));
    // libretro's names: its characters as "_", then without the tag.
    const auto tagged = PreviewCandidates("s/", "a/", "Tom & Jerry: <1/2> (USA).nes", '/');
    EXPECT_EQ(std::vector<std::string>(tagged.begin() + 9, tagged.begin() + 16),
              (std::vector<std::string>{"s/Named_Snaps/Tom _ Jerry_ _1_2_ (USA).png", "s/Named_Titles/Tom _ Jerry_ _1_2_ (USA).png",
                                        "s/Named_Boxarts/Tom _ Jerry_ _1_2_ (USA).png", "s/Named_Snaps/Tom _ Jerry_ _1_2_.png",
                                        "s/Named_Titles/Tom _ Jerry_ _1_2_.png", "s/Named_Boxarts/Tom _ Jerry_ _1_2_.png",
                                        "s/Tom _ Jerry_ _1_2_ (USA).png"}));
    EXPECT_EQ(tagged[16], "s/screenshots/Tom & Jerry: <1/2> (USA).png");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "*?`|\\.zip", '/')[12], "s/_____.png");
    // Four characters are cut whatever the extension; without a stem, no stem candidates.
    EXPECT_EQ(PreviewCandidates("s/", "a/", "game.gb", '/')[3], "s/gam.gif");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "Ülkü.nes", '/')[8], "s/Ülkü/0000.png");
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abcd", '/'),
              (std::vector<std::string>{"s/abcd.gif", "s/abcd.jpg", "s/abcd.bmp", "s/.gif", "s/.jpg", "s/.bmp", "s/abcd.png",
                                        "s/.png", "a/logo.gif", "a/logo.jpg", "a/logo.bmp", "a/logo.png"}));
    EXPECT_EQ(PreviewCandidates("s/", "a/", "abc", '/'),
              (std::vector<std::string>{"s/abc.gif", "s/abc.jpg", "s/abc.bmp", "s/abc.png", "a/logo.gif", "a/logo.jpg",
                                        "a/logo.bmp", "a/logo.png"}));
}

TEST(ParameterString, BothLaunchModes) {
    struct Case { int mode; const char* folder; const char* name; const char* expected; };
    const Case cases[] = {
        {1, "C:\\Roms", "PacMan.ZIP", "pacman"},    {1, "C:\\Roms", "sf2.zip", "sf2"},
        {1, "C:\\Roms", "game.1", "ga"},            {1, "C:\\Roms", "game.gb", "gam"},  // four characters go, whatever the extension
        {1, "C:\\Roms", ".zip", ""},                {1, "C:\\Roms", "abc", ""},  // never the folder
        {1, "C:\\Roms", "Ülkü.ZIP", "ülkü"},        {0, "C:\\Roms", "Super Game.smc", "C:\\Roms\\Super Game.smc"},
        {0, "C:\\Roms\\", "Super Game.smc", "C:\\Roms\\Super Game.smc"}, {0, "C:\\", "game.bin", "C:\\game.bin"},
        {0, "C:\\Roms", "", "C:\\Roms\\"},          {0, "C:\\Roms", "ゲーム.SMC", "C:\\Roms\\ゲーム.SMC"},
        {7, "C:\\Roms", "a.zip", "C:\\Roms\\a.zip"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildParameterString(c.mode, c.folder, c.name, '\\'), c.expected) << c.mode << " " << c.name;
    }
    EXPECT_EQ(BuildParameterString(0, "/home/u/roms", "a b.nes", '/'), "/home/u/roms/a b.nes");
    // A path that would be an option is one from here; a name in a folder is none.
    EXPECT_EQ(BuildParameterString(0, "-roms", "a.nes", '/'), "./-roms/a.nes");
    EXPECT_EQ(BuildParameterString(0, "-x", "a.nes", '\\'), ".\\-x\\a.nes");
    EXPECT_EQ(BuildParameterString(0, "/roms", "-help.nes", '/'), "/roms/-help.nes");
}

TEST(StartRequest, BareOrRelativeEmulatorsComeFromTheApplicationFolder) {
    struct Case { const char* emulator; char sep; const char* program; };
    const Case cases[] = {
        {"zsnesw.exe", '\\', "C:\\Front\\zsnesw.exe"}, {"emu\\z.exe", '\\', "C:\\Front\\emu\\z.exe"},
        {"Z", '\\', "C:\\Front\\Z"},                   {"D:\\z.exe", '\\', "D:\\z.exe"},
        {"z:a.exe", '\\', "z:a.exe"},                    {"\\\\server\\a.exe", '\\', "\\\\server\\a.exe"},
        {"/usr/games/mame", '/', "/usr/games/mame"},     {"fceu", '/', "/opt/tarvo/fceu"},
        {"C:/x", '/', "/opt/tarvo/C:/x"},
    };
    for (const auto& c : cases) {
        const std::string app = c.sep == '/' ? "/opt/tarvo/" : "C:\\Front\\";
        const StartRequest r = BuildStartRequest(c.emulator, app, "p", c.sep);
        EXPECT_EQ(r.program, c.program);
        EXPECT_EQ(r.parameters, "p");
        EXPECT_EQ(r.workingFolder, app);
    }
}

TEST(Pad, PressesAndHeldButtonsActAsKeys) {
    // A reading every 40 ms, one character each: '.' nothing held, 'd' 'u' the D-pad, 's' 'S' the stick
    // down and up all the way, 'h' down exactly half way, '<' '>' a shoulder, 'l' 'r' a trigger all the way,
    // 'g' the right one exactly half way, 'a' A, 't' Start. What each reading gives: 'D' 'U' a row, 'N' 'P'
    // a page down or up, 'L' 'R' the previous or next letter, '!' Play, '.' nothing.
    const std::pair<const char*, const char*> rows[] = {
        {".ddddddddddddddd", ".D.........D.D.D"},  // held: again after 400 ms, then every 80
        {".sss.SSS.hhh", ".D...U......"},
        {".><.u", ".NP.U"},
        {".rrrrrrrrrrrrr.l.g", ".R.........R.R.L.."},  // the triggers repeat as the D-pad does
        {".aaaaaaaaaaaa.t", ".!............!"},  // Play never repeats
        {"dddd.d", ".....D"},  // held as the window came back: nothing until it is let go
        {"bbdd.d", ".....D"},  // nor while any other button is
        {"rr.d", "...D"},      // or a trigger
    };
    const std::string kReadings = ".dusSh<>atlrgb";
    const PadState kStates[] = {{}, {false, true}, {true}, {false, false, false, false, false, false, 32767},
                                {false, false, false, false, false, false, -32768}, {false, false, false, false, false, false, 16384},
                                {false, false, true}, {false, false, false, true}, {false, false, false, false, true},
                                {false, false, false, false, false, true}, {false, false, false, false, false, false, 0, 32767},
                                {false, false, false, false, false, false, 0, 0, 32767}, {false, false, false, false, false, false, 0, 0, 16384},
                                {false, false, false, false, false, false, 0, 0, 0, true}};
    for (const auto& [readings, expected] : rows) {
        PadRepeat pad;
        std::string got;
        for (std::size_t i = 0; readings[i]; ++i) {
            const PadCommand command = pad.Poll({kStates[kReadings.find(readings[i])]}, static_cast<std::int64_t>(i) * 40);
            got += ".UDPNLR!"[static_cast<int>(command)];
        }
        EXPECT_EQ(got, expected) << readings;
    }
}

// A step as a table's cell after those before it: the next state's letter, then a mark for each thing it does.
std::string Cell(const std::string& before, char next, std::initializer_list<std::pair<bool, char>> marks) {
    std::string cell = before + (before.empty() ? "" : " ") + next;
    for (const auto& [done, mark] : marks) cell += done ? std::string(1, mark) : "";
    return cell;
}

TEST(StateMachines, TheGamesSessionByEveryEventInEveryState) {
    // I idle, S starting, A away; each event: the next state, '+' the ROM starts, '^' the window comes back.
    const std::pair<SessionEvent, const char*> rows[] = {
        {SessionEvent::Play, "S+ S A"},          {SessionEvent::StartFailed, "I I A"},
        {SessionEvent::Started, "I A A"},        {SessionEvent::LastGameEnded, "I S I^"},
        {SessionEvent::AnotherStart, "I^ S^ I^"}, {SessionEvent::UserCameBack, "I S I"}};
    for (const auto& [event, expected] : rows) {
        std::string got;
        for (const Session now : {Session::Idle, Session::Starting, Session::Away}) {
            const SessionStep step = NextSession(now, event);
            got = Cell(got, "ISA"[static_cast<int>(step.next)], {{step.start, '+'}, {step.comeBack, '^'}});
        }
        EXPECT_EQ(got, expected) << static_cast<int>(event);
    }
}

TEST(StateMachines, WhenThePadsAreReadAndForWhat) {
    // The window: active, away, "padquit" on, a game running. From not read (N), for the list (L),
    // for the game's end (G): the next, '*' the timer starts, '~' held buttons count once let go, '!' a new quit.
    const std::pair<PadWindow, const char*> rows[] = {
        {{true, false, true, false}, "L*~ L L~"},  {{true, false, false, true}, "L*~ L L~"},
        {{false, false, true, true}, "N N N"},     {{true, true, true, true}, "G*! G! G"},
        {{false, true, true, true}, "G*! G! G"},   {{true, true, false, true}, "N N N"},
        {{true, true, true, false}, "N N N"}};
    for (const auto& [window, expected] : rows) {
        std::string got;
        for (const PadsRead now : {PadsRead::Not, PadsRead::ForTheList, PadsRead::ForTheGamesEnd}) {
            const PadReadStep step = NextPadReading(now, window);
            got = Cell(got, "NLG"[static_cast<int>(step.next)], {{step.startTimer, '*'}, {step.resume, '~'}, {step.newQuit, '!'}});
        }
        EXPECT_EQ(got, expected) << expected;
    }
}

TEST(StateMachines, ThePictureOnShowByEveryEventInEveryState) {
    // S shown, T settling, R reading; the next, 'r' read now, 't' the settle timer again, '=' show what was read.
    const std::pair<PictureEvent, const char*> rows[] = {
        {PictureEvent::Wanted, "Rr Rr Rr"},        {PictureEvent::WantedWhileMoving, "Tt Tt Tt"},
        {PictureEvent::QuietTimer, "S Rr R"},      {PictureEvent::BusyTimer, "S Tt R"},
        {PictureEvent::ReadWanted, "S T S="}};
    for (const auto& [event, expected] : rows) {
        std::string got;
        for (const PictureState now : {PictureState::Shown, PictureState::Settling, PictureState::Reading}) {
            const PictureStep step = NextPicture(now, event);
            got = Cell(got, "STR"[static_cast<int>(step.next)], {{step.read, 'r'}, {step.settle, 't'}, {step.show, '='}});
        }
        EXPECT_EQ(got, expected) << static_cast<int>(event);
    }
}

TEST(SessionHelpers, BusesWinesServersAndSoundOutliveGamesByDesign) {
    // By the names Linux gives processes: cut to 15 characters.
    const std::pair<const char*, bool> names[] = {{"wineserver64", true}, {"wineserver", true}, {"DBUS-DAEMON", true},
                                                  {"at-spi-bus-laun", true}, {"at-spi-bus-lau", false}, {"pipewire", true},
                                                  {"nestopia", false}, {"wine64", false}, {"", false}};
    for (const auto& [name, outlives] : names) EXPECT_EQ(OutlivesGamesByDesign(name), outlives) << name;
}

TEST(LastLines, TheEndOfAProgramsOutputAsAMessageQuotesIt) {
    struct Case { std::vector<std::string> pieces; std::string text; };
    const std::string e300 = [] { std::string s; for (int i = 0; i < 300; ++i) s += "\xC3\xA9"; return s; }();
    const Case cases[] = {
        {{"one\ntwo\n"}, "one\ntwo"},
        {{"a\nb\nc\nd\ne\n"}, "b\nc\nd\ne"},  // four at most
        {{"par", "tial\nli", "ne"}, "partial\nline"},
        {{"\x1b[1;31mred\x1b[0m\r\n", "  \t \n\n", "10%\r100%\n"}, "red\n100%"},  // as a terminal showed it
        {{"\x1b]0;title\a\x1b]2;x\x1b\\\x1b(Bok\n"}, "ok"},  // titles, a character set
        {{"\xE2\x80\xAE" "evil\xE2\x80\xAC \xE2\x81\xA6" "a\xE2\x81\xA9 \xC2\x9B" "1m\xE2\x80\x94\n"}, "evil a 1m\xE2\x80\x94"},  // turns of direction, C1
        {{std::string(600, 'x')}, std::string(500, 'x')},  // 500 characters, the end kept
        {{e300}, e300},
        {{std::string(10000, 'y') + "\nlast\n"}, std::string(495, 'y') + "\nlast"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        LastLines lines;
        for (const std::string& piece : c.pieces) lines.Add(piece);
        EXPECT_EQ(lines.Text(), c.text);
    }
}

}  // namespace
TEST(CleanNames, TagsGoArticlesComeFirstAndAlikeRowsKeepWhatTellsThemApart) {
    const std::pair<const char*, const char*> alone[] = {
        {"Sonic the Hedgehog (World) (Rev 1)", "Sonic the Hedgehog"},
        {"Legend of Zelda, The - A Link to the Past (USA) [!]", "The Legend of Zelda - A Link to the Past"},
        {"Adventure, An (1982)(Activision)[a]", "An Adventure"},
        {"Final Fantasy, A", "A Final Fantasy"}, {"Crash, Adventure", "Crash, Adventure"},  // no article
        {"(USA)", "(USA)"}, {"Pac-Man (Midway", "Pac-Man (Midway"}, {"Rally (X) Racer", "Rally (X) Racer"},  // tags only at the end
        {"", ""}, {"Ülkü (Türkiye)", "Ülkü"},
    };
    for (auto [name, clean] : alone) EXPECT_EQ(CleanName(name), clean) << name;
    const std::vector<std::string_view> rows = {"Tetris (Japan)", "Tetris (USA)", "Tetris (USA) (Rev 1)", "Tetris (USA) (Rev 1)",
                                                "Doom (Europe)", "tetris (World) [b]"};
    EXPECT_EQ(CleanNames(rows), (std::vector<std::string>{"Tetris (Japan)", "Tetris (USA)", "Tetris (USA) (Rev 1)",
                                                          "Tetris (USA) (Rev 1)", "Doom", "tetris (World)"}));
}

}  // namespace tarvo
