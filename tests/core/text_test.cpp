#include <gtest/gtest.h>

#include "text/paths.h"
#include "text/utf8.h"
#include "text/wildcard.h"

namespace tarvo {
namespace {

TEST(Utf8, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(CharCount("Ülkü.ZIP"), 8u);
    EXPECT_EQ(DropLastChars("Ülkü.ZIP", 4), "Ülkü");
    EXPECT_EQ(DropLastChars("ゲーム.zip", 4), "ゲーム");
    EXPECT_EQ(DropLastChars("abc", 4), "");
    EXPECT_EQ(DropLastChars("abcd", 4), "");
    // An invalid byte is one character and survives untouched.
    EXPECT_EQ(CharCount("a\xff" "b"), 3u);
    EXPECT_EQ(DropLastChars("\xff\xfe.zip", 4), "\xff\xfe");
    EXPECT_EQ(ToLower("A\xC3" "Z"), "a\xC3" "z");
}

TEST(Utf8, LowerCasesBeyondAscii) {
    EXPECT_EQ(ToLower("PacMan.ZIP"), "pacman.zip");
    EXPECT_EQ(ToLower("ÜLKÜ"), "ülkü");
    EXPECT_EQ(ToLower("ΣΟΝΙΚ"), "σονικ");
    EXPECT_EQ(ToLower("МАРИО"), "марио");
    EXPECT_EQ(ToLower("ŁÓDŹ ŽAŠ"), "łódź žaš");
    EXPECT_EQ(ToLower("ゲーム"), "ゲーム");
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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardSet(c.patterns).Matches(c.name), c.matches) << c.patterns << " vs " << c.name;
    }
}

TEST(Paths, FoldersAndAbsolutePaths) {
    EXPECT_EQ(WithTrailingSeparator("C:\\Roms", '\\'), "C:\\Roms\\");
    EXPECT_EQ(WithTrailingSeparator("C:\\", '\\'), "C:\\");
    EXPECT_EQ(WithTrailingSeparator("", '\\'), "\\");
    EXPECT_EQ(WithTrailingSeparator("/home/a", '/'), "/home/a/");
    EXPECT_EQ(FileNamePart("/usr/games/mame", '/'), "mame");
    EXPECT_TRUE(IsAbsolutePath("C:\\Emu\\a.exe", '\\'));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\a.exe", '\\'));
    EXPECT_FALSE(IsAbsolutePath("zsnesw.exe", '\\'));
    EXPECT_FALSE(IsAbsolutePath("emu\\zsnesw.exe", '\\'));
    EXPECT_TRUE(IsAbsolutePath("/usr/games/mame", '/'));
    EXPECT_FALSE(IsAbsolutePath("mame", '/'));
    EXPECT_FALSE(IsAbsolutePath("C:/x", '/'));
}

}  // namespace
}  // namespace tarvo
