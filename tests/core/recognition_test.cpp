#include <gtest/gtest.h>

#include "fakes.h"

namespace tarvo::testing {
namespace {

const std::string kCaption = "Tarvo - Generic Frontend by Quillan";

struct Recognised {
    std::string suffix;
    std::string pattern;
    int launchMode;
    std::string emulatorPath;
};

Recognised Recognise(FakeTarvo& t) {
    EXPECT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    const std::string caption = t.window.caption;
    EXPECT_EQ(caption.rfind(kCaption, 0), 0u);
    return {caption.substr(kCaption.size()), t.form.File1().Pattern(), t.form.LaunchMode(), t.form.EmulatorPath()};
}

TEST(Recognition, ByTheTailOfTheCommandLine) {
    struct Case { const char* path; const char* suffix; const char* pattern; int mode; };
    const Case cases[] = {
        {"C:\\Emu\\ZSNESW.EXE", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
        {"C:\\Emu\\zsnes.exe", " - ZSNES", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
        {"D:\\mame\\mame32.exe", " - MAME32", "*.zip", 1},
        {"D:\\mame\\mame.exe", " - MAME", "*.zip", 1},
        {"C:\\Emu\\space.exe", " - Ace", "*.zip", 1},
        {"C:\\Emu\\KGENS.EXE", " - Gens", "*.zip;*.gen;*.smd;*.bin;*.zsg;*.iso;*.raw", 0},
        {"C:\\gb\\no$gmb.exe", " - Rew", "*.*", 0},
        {"C:\\nes\\RockNESX.exe", " - RockNESX.exe", "*.nes;*.zip", 0},
        {"C:\\n64\\daedalus.exe", " - Daedaulus", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
        {"C:\\gba\\VisualBoyAdvance-SDL.exe", " - VisualBoy Advance", "*.gba;*.zip", 0},
        {"C:\\ngp\\neopocott.exe", " - NeoPocott", "*.*", 0},
        {"\"C:\\Program Files\\Emu\\nestopia.exe\"", " - Nestopia", "*.nes;*.zip", 0},
        {"C:\\Program Files\\Emu\\nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.commandLine = c.path;
        const Recognised r = Recognise(t);
        EXPECT_EQ(r.suffix, c.suffix) << c.path;
        EXPECT_EQ(r.pattern, c.pattern) << c.path;
        EXPECT_EQ(r.launchMode, c.mode) << c.path;
        EXPECT_EQ(t.command1.toolTip, r.emulatorPath) << c.path;
    }
}

TEST(Recognition, AnythingAfterTheNameMatchesNoRow) {
    for (const char* line : {"C:\\Emu\\zsnesw.exe ", "\"C:\\Emu\\zsnesw.exe\" game.smc", "C:\\Emu\\zsnesw.exe\"",
                             "\"", "C:\\Emu\\zsnesw.exe.lnk"}) {
        FakeTarvo t;
        t.services.commandLine = line;
        t.services.settings["emu"] = "C:\\Other\\emu.exe";
        const Recognised r = Recognise(t);
        EXPECT_EQ(r.suffix, "") << line;
        EXPECT_EQ(r.pattern, "*.*") << line;
        EXPECT_EQ(r.emulatorPath, "C:\\Other\\emu.exe") << line;
    }
}

TEST(Recognition, AdoptsTheEarliestNonEmptyEmulatorInItsFolder) {
    FakeTarvo t;
    t.services.AddFile("C:\\Front\\gens.exe");
    t.services.AddFile("C:\\Front\\zsnes.exe");
    EXPECT_EQ(Recognise(t).emulatorPath, "zsnes.exe");

    FakeTarvo empty;
    empty.services.AddFile("C:\\Front\\zsnesw.exe", 0);
    empty.services.AddFile("C:\\Front\\nester.exe");
    const Recognised r = Recognise(empty);
    EXPECT_EQ(r.emulatorPath, "nester.exe");
    EXPECT_EQ(r.suffix, " - Nester");
    EXPECT_EQ(empty.command1.toolTip, "nester.exe");

    // Two quotes are an empty command line: adoption still happens.
    FakeTarvo quotes;
    quotes.services.commandLine = "\"\"";
    quotes.services.AddFile("C:\\Front\\fceu.exe");
    EXPECT_EQ(Recognise(quotes).emulatorPath, "fceu.exe");
}

TEST(Recognition, NamedPathNeverAdopts) {
    FakeTarvo t;
    t.services.commandLine = "C:\\x\\missing.exe";
    t.services.AddFile("C:\\Front\\zsnes.exe");
    t.services.AddFile("C:\\Front\\Pagan2.exe");
    const Recognised r = Recognise(t);
    // Only a wildcard row can replace a path from the command line.
    EXPECT_EQ(r.suffix, " - Pagan");
    EXPECT_EQ(r.emulatorPath, "C:\\Front\\Pagan2.exe");
}

TEST(Recognition, WildcardRowsInTableOrder) {
    FakeTarvo t;
    t.services.commandLine = "C:\\x\\other.exe";
    t.services.AddFile("C:\\Front\\TRWin2.exe");
    t.services.AddFile("C:\\Front\\yame_b.exe");
    t.services.AddFile("C:\\Front\\yame_a.exe");
    t.services.files["C:\\Front\\yame_0.exe"].hidden = true;
    const Recognised r = Recognise(t);
    EXPECT_EQ(r.suffix, " - YAME");
    EXPECT_EQ(r.emulatorPath, "C:\\Front\\yame_a.exe");
    EXPECT_EQ(r.pattern, "*.pce;*.rom;*.nes;*.gb;*.zip;*.lhz;*.sta;*.snd");
}

TEST(Recognition, LinuxProgramsWithoutExe) {
    struct Case { const char* path; const char* suffix; };
    const Case cases[] = {
        {"/usr/games/mame", " - MAME"},
        {"/usr/games/MAME", " - MAME"},
        {"/usr/bin/nestopia", " - Nestopia"},
        {"/opt/emu/zsnesw.exe", " - ZSNES"},
        {"/usr/bin/changes", ""},   // not "ages"
        {"/usr/games/mame/", ""},   // a folder, no file name
        {"/usr/games/mame64", ""},
        {"/opt/\xff\xfe emus/mame", " - MAME"},  // not UTF-8: still whole
        {"/opt/\xff\xfe", ""},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.UseLinux();
        t.services.commandLine = c.path;
        t.services.settings["emu"] = "/usr/bin/fallback";
        EXPECT_EQ(Recognise(t).suffix, c.suffix) << c.path;
    }
}

TEST(Recognition, LinuxAdoptionPrefersExeSpellingThenExecutableBareName) {
    FakeTarvo t;
    t.services.UseLinux();
    t.services.AddFile("/opt/tarvo/zsnes");  // not executable: passed over
    t.services.files["/opt/tarvo/snes9x"].executable = true;
    t.services.AddFile("/opt/tarvo/snes9x.exe");
    EXPECT_EQ(Recognise(t).emulatorPath, "snes9x.exe");

    FakeTarvo bare;
    bare.services.UseLinux();
    bare.services.AddFile("/opt/tarvo/zsnes");
    bare.services.files["/opt/tarvo/fceu"].executable = true;
    const Recognised r = Recognise(bare);
    EXPECT_EQ(r.emulatorPath, "fceu");
    EXPECT_EQ(r.suffix, " - FCE Ultra");
}

}  // namespace
}  // namespace tarvo::testing
