#include <gtest/gtest.h>

#include "text/paths.h"
#include "text/utf8.h"
#include "text/wildcard.h"

namespace tarvo {
namespace {

TEST(Utf8, CharactersNotBytes) {
    struct Case { const char* text; std::size_t chars; const char* lessFour; const char* lower; };
    const Case cases[] = {
        {"Ülkü.ZIP", 8, "Ülkü", "ülkü.zip"},
        {"ゲーム.zip", 7, "ゲーム", "ゲーム.zip"},
        {"abcd", 4, "", "abcd"},
        {"ΣΟΝΙΚ ΫΑ", 8, "ΣΟΝΙ", "σονικ ϋα"},
        {"МАРИО ǞǍ", 8, "МАРИ", "марио ǟǎ"},
        {"ŁÓDŹ ŽAŠ ſ", 10, "ŁÓDŹ Ž", "łódź žaš ſ"},
        {"a\xff" "B\xC3", 4, "", "a\xff" "b\xC3"},  // a byte that is not UTF-8 is one character, kept
        {"\xff\xfe.ZIP", 6, "\xff\xfe", "\xff\xfe.zip"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharCount(c.text), c.chars) << c.text;
        EXPECT_EQ(DropLastChars(c.text, 4), c.lessFour) << c.text;
        EXPECT_EQ(ToLower(c.text), c.lower) << c.text;
    }
    EXPECT_TRUE(EqualsIgnoreCase("C:\\EMU\\ZSNESW.EXE", "c:\\emu\\zsnesw.exe"));
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
        // Names beyond ASCII, where the fast paths hand over to the full rules.
        {"*.zip", "GAME.ZİP", true},       {"*.ZIP", "Ülkü.zip", true},
        {"yame*.exe", "YAMEÜ.EXE", true},  {"*.nes", "ゲーム.NEŞ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardSet(c.patterns).Matches(c.name), c.matches) << c.patterns << " vs " << c.name;
    }
}

TEST(Paths, FoldersAndAbsolutePaths) {
    EXPECT_EQ(WithTrailingSeparator("C:\\Roms", '\\'), "C:\\Roms\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\", '\\'), "C:\\");
    EXPECT_EQ(WithTrailingSeparator("", '/'), "/");
    EXPECT_EQ(FileNamePart("/usr/games/mame", '/'), "mame");
    struct Case { const char* path; char separator; bool absolute; };
    const Case cases[] = {{"C:\\Emu\\a.exe", '\\', true}, {"Z:a.exe", '\\', true}, {"z:\\", '\\', true},  {"\\\\server\\a.exe", '\\', true},
                          {"zsnesw.exe", '\\', false},    {"emu\\z.exe", '\\', false}, {"Z", '\\', false},
                          {"/usr/games/mame", '/', true}, {"mame", '/', false},      {"C:/x", '/', false}};
    for (const auto& c : cases) EXPECT_EQ(IsAbsolutePath(c.path, c.separator), c.absolute) << c.path;
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

}  // namespace
}  // namespace tarvo
