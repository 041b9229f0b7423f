#include <gtest/gtest.h>

#include "fakes.h"

namespace tarvo::testing {
namespace {

const std::string kCaption = "Tarvo - Generic Frontend by Quillan";
const char* kEnds = nullptr;  // the message is shown and the program ends

TEST(StartUp, RecognisesTheEmulatorOfTheCommandLine) {
    struct Case { bool linux; const char* line; const char* emu; const char* path; const char* suffix; const char* pattern; int mode; };
    const Case cases[] = {
        {false, "C:\\Emu\\ZSNESW.EXE", nullptr, "C:\\Emu\\ZSNESW.EXE", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
        {false, "C:\\Emu\\zsnes.exe", nullptr, "C:\\Emu\\zsnes.exe", " - ZSNES", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
        {false, "D:\\mame\\mame32.exe", nullptr, "D:\\mame\\mame32.exe", " - MAME32", "*.zip", 1},
        {false, "C:\\Emu\\space.exe", nullptr, "C:\\Emu\\space.exe", " - Ace", "*.zip", 1},
        {false, "C:\\Emu\\KGENS.EXE", nullptr, "C:\\Emu\\KGENS.EXE", " - Gens", "*.zip;*.gen;*.smd;*.bin;*.zsg;*.iso;*.raw", 0},
        {false, "C:\\gb\\no$gmb.exe", nullptr, "C:\\gb\\no$gmb.exe", " - Rew", "*.*", 0},
        {false, "C:\\nes\\RockNESX.exe", nullptr, "C:\\nes\\RockNESX.exe", " - RockNESX.exe", "*.nes;*.zip", 0},
        {false, "C:\\n64\\daedalus.exe", nullptr, "C:\\n64\\daedalus.exe", " - Daedaulus", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
        {false, "C:\\gba\\VisualBoyAdvance-SDL.exe", nullptr, "C:\\gba\\VisualBoyAdvance-SDL.exe", " - VisualBoy Advance", "*.gba;*.zip", 0},
        {false, "C:\\ngp\\neopocott.exe", nullptr, "C:\\ngp\\neopocott.exe", " - NeoPocott", "*.*", 0},  // pattern untouched
        // Quotes around the whole path go; blanks stay.
        {false, "\"C:\\My Emus\\nestopia.exe\"", nullptr, "C:\\My Emus\\nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
        {false, "C:\\My Emus\\nestopia.exe", nullptr, "C:\\My Emus\\nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
        {false, "\"\"fceu.exe\"", nullptr, "\"fceu.exe", " - FCE Ultra", "*.nes;*.zip", 0},
        // Anything after the name: no row; the emu setting (or the message) instead.
        {false, "C:\\Emu\\zsnesw.exe ", "D:\\Any Emu\\run.exe", "D:\\Any Emu\\run.exe", "", "*.*", 0},
        {false, "\"C:\\Emu\\zsnesw.exe\" game.smc", "D:\\e.exe", "D:\\e.exe", "", "*.*", 0},
        {false, "C:\\Emu\\zsnesw.exe.lnk", "D:\\e.exe", "D:\\e.exe", "", "*.*", 0},
        {false, "C:\\Emu\\zsnesw.exe.lnk", nullptr, kEnds, "", "", 0},
        {false, "", nullptr, kEnds, "", "", 0},
        {false, "\"", nullptr, kEnds, "", "", 0},
        // Linux programs carry no ".exe": a whole file name counts.
        {true, "/usr/games/mame", nullptr, "/usr/games/mame", " - MAME", "*.zip", 1},
        {true, "/opt/emu/zsnesw.exe", nullptr, "/opt/emu/zsnesw.exe", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
        {true, "/opt/\xff\xfe emus/nestopia", nullptr, "/opt/\xff\xfe emus/nestopia", " - Nestopia", "*.nes;*.zip", 0},
        {true, "/usr/bin/changes", "/usr/bin/x", "/usr/bin/x", "", "*.*", 0},  // not "ages"
        {true, "/usr/games/mame64", "/usr/bin/x", "/usr/bin/x", "", "*.*", 0},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        if (c.linux) t.services.UseLinux();
        t.services.commandLine = c.line;
        if (c.emu) t.services.settings["emu"] = c.emu;
        if (!c.path) {
            EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram) << c.line;
            EXPECT_EQ(t.services.messages, std::vector<std::string>{"Specify the emulator full path in the command line."});
            EXPECT_TRUE(t.list1.items.empty());
            continue;
        }
        EXPECT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow) << c.line;
        EXPECT_EQ(t.form.EmulatorPath(), c.path) << c.line;
        EXPECT_EQ(t.command1.toolTip, c.path) << c.line;
        EXPECT_EQ(t.window.caption, kCaption + c.suffix) << c.line;
        EXPECT_EQ(t.form.File1().Pattern(), c.pattern) << c.line;
        EXPECT_EQ(t.form.LaunchMode(), c.mode) << c.line;
        EXPECT_TRUE(t.services.messages.empty());
    }
}

TEST(StartUp, AdoptsAnEmulatorFromItsOwnFolder) {
    struct File { std::string path; std::uint64_t length = 1; bool hidden = false, executable = false; };
    struct Case { bool linux; const char* line; std::vector<File> files; const char* path; const char* suffix; };
    const Case cases[] = {
        {false, "", {{"C:\\Front\\gens.exe"}, {"C:\\Front\\zsnes.exe"}}, "zsnes.exe", " - ZSNES"},  // table order
        {false, "", {{"C:\\Front\\zsnesw.exe", 0}, {"C:\\Front\\nester.exe"}}, "nester.exe", " - Nester"},
        {false, "\"\"", {{"C:\\Front\\fceu.exe"}}, "fceu.exe", " - FCE Ultra"},
        // A named path never adopts; only a wildcard row replaces it.
        {false, "C:\\x\\missing.exe", {{"C:\\Front\\zsnes.exe"}, {"C:\\Front\\Pagan2.exe"}}, "C:\\Front\\Pagan2.exe", " - Pagan"},
        {false, "C:\\x\\o.exe",
         {{"C:\\Front\\TRWin2.exe"}, {"C:\\Front\\yame_b.exe"}, {"C:\\Front\\yame_a.exe"}, {"C:\\Front\\yame_0.exe", 1, true}},
         "C:\\Front\\yame_a.exe", " - YAME"},
        {true, "", {{"/opt/tarvo/zsnes"}, {"/opt/tarvo/snes9x", 1, false, true}, {"/opt/tarvo/snes9x.exe"}}, "snes9x.exe", " - SNES9X"},
        {true, "", {{"/opt/tarvo/zsnes"}, {"/opt/tarvo/fceu", 1, false, true}}, "fceu", " - FCE Ultra"},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        if (c.linux) t.services.UseLinux();
        t.services.commandLine = c.line;
        for (const auto& f : c.files) t.services.files[f.path] = {f.length, f.hidden, f.executable};
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow) << c.path;
        EXPECT_EQ(t.form.EmulatorPath(), c.path);
        EXPECT_EQ(t.command1.toolTip, c.path);
        EXPECT_EQ(t.window.caption, kCaption + c.suffix);
    }
}

TEST(StartUp, ChoosesTheFolderOfTheFileList) {
    struct Case { const char* exeFolder; const char* setting; const char* path; };
    const Case cases[] = {
        {"C:\\Front", nullptr, "C:\\Front\\roms\\"},  // the default
        {"E:\\", nullptr, "E:\\roms\\"},              // no second backslash at a root
        {"C:\\Front", "D:\\Roms", "D:\\Roms\\"},
        {"C:\\Front", "D:\\Roms\\", "D:\\Roms\\"},
        {"C:\\Front", "D:\\Sparse", "C:\\Front\\"},   // only a hidden file
        {"C:\\Front", "Q:\\Nowhere", "C:\\Front\\"},
        {"C:\\Front", "D:\\Locked", "C:\\Front\\"},   // cannot be read
        {"C:\\Front", "", "C:\\Front\\"},             // the root, without files
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.exeFolder = c.exeFolder;
        t.services.commandLine = "C:\\Emu\\zsnesw.exe";
        for (const char* rom : {"C:\\Front\\roms\\a.smc", "E:\\roms\\a.smc", "D:\\Roms\\z.smc", "D:\\Locked\\a.smc"}) {
            t.services.AddFile(rom);
        }
        t.services.files["D:\\Sparse\\x.smc"].hidden = true;
        t.services.unreadableFolders.insert("D:\\Locked\\");
        if (c.setting) t.services.settings["roms"] = c.setting;
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
        EXPECT_EQ(t.form.File1().Path(), c.path) << (c.setting ? c.setting : "no setting");
        const std::string exeFolder = c.exeFolder;
        EXPECT_EQ(t.form.AppFolder(), exeFolder.back() == '\\' ? exeFolder : exeFolder + "\\");
    }
}

TEST(StartUp, ASecondStartActivatesTheFirstByItsCaptionHiddenFromTheSearch) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.previousInstance = true;
    EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram);
    EXPECT_EQ(t.services.activated, std::vector<std::string>{kCaption + " - ZSNES"});
    EXPECT_EQ(t.window.caption, "!");  // its own window is never the one found
    EXPECT_TRUE(t.list1.items.empty() && t.command1.toolTip.empty());
}

}  // namespace
}  // namespace tarvo::testing
