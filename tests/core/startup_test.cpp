#include <gtest/gtest.h>

#include "fakes.h"

namespace tarvo::testing {
namespace {

TEST(Startup, WithoutAnyEmulatorTellsTheUserAndEnds) {
    for (const char* line : {"", "C:\\Emu\\unknown.exe", "\""}) {
        FakeTarvo t;
        t.services.commandLine = line;
        EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram) << line;
        ASSERT_EQ(t.services.messages.size(), 1u);
        EXPECT_EQ(t.services.messages[0], "Specify the emulator full path in the command line.");
        EXPECT_TRUE(t.list1.items.empty());
        EXPECT_TRUE(t.services.activated.empty());
    }
}

TEST(Startup, EmuSettingReplacesAnUnknownCommandLine) {
    FakeTarvo t;
    t.services.commandLine = "\"C:\\Emu\\unknown.exe\"";
    t.services.settings["emu"] = "D:\\Any Emu\\run.exe";
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.form.EmulatorPath(), "D:\\Any Emu\\run.exe");
    EXPECT_EQ(t.window.caption, "Tarvo - Generic Frontend by Quillan");
    EXPECT_EQ(t.form.File1().Pattern(), "*.*");
    EXPECT_EQ(t.form.LaunchMode(), 0);
    EXPECT_EQ(t.command1.toolTip, "D:\\Any Emu\\run.exe");
    EXPECT_TRUE(t.services.messages.empty());
}

TEST(Startup, ChoosesTheFolderOfTheFileList) {
    struct Case { const char* name; const char* setting; const char* expectedPath; };
    // Setup shared by all cases: a ROM folder with files, one with only a
    // subfolder and a hidden file, and one that cannot be read.
    const Case cases[] = {
        {"default roms folder", nullptr, "C:\\Front\\roms\\"},
        {"setting without backslash", "D:\\Roms", "D:\\Roms\\"},
        {"setting with backslash", "D:\\Roms\\", "D:\\Roms\\"},
        {"only a subfolder and a hidden file", "D:\\Sparse", "C:\\Front\\"},
        {"missing folder", "Q:\\Nowhere", "C:\\Front\\"},
        {"unreadable folder", "D:\\Locked", "C:\\Front\\"},
        {"empty setting (the root) without files", "", "C:\\Front\\"},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.commandLine = "C:\\Emu\\zsnesw.exe";
        t.services.AddFile("C:\\Front\\roms\\mario.smc");
        t.services.AddFile("D:\\Roms\\zelda.smc");
        t.services.folders.insert("D:\\Sparse\\sub");
        t.services.files["D:\\Sparse\\x.smc"].hidden = true;
        t.services.AddFile("D:\\Locked\\a.smc");
        t.services.unreadableFolders.insert("D:\\Locked\\");
        if (c.setting) t.services.settings["roms"] = c.setting;
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow) << c.name;
        EXPECT_EQ(t.form.File1().Path(), c.expectedPath) << c.name;
        EXPECT_EQ(t.form.AppFolder(), "C:\\Front\\") << c.name;
    }
}

TEST(Startup, ApplicationFolderAtADriveRootGetsNoSecondBackslash) {
    FakeTarvo t;
    t.services.exeFolder = "E:\\";
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.AddFile("E:\\roms\\a.smc");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.form.AppFolder(), "E:\\");
    EXPECT_EQ(t.form.File1().Path(), "E:\\roms\\");
}

TEST(Startup, CommandLineUnquoting) {
    struct Case { std::string line; std::string path; };
    const Case cases[] = {
        {"\"C:\\My Emus\\fceu.exe\"", "C:\\My Emus\\fceu.exe"},
        {"C:\\My Emus\\fceu.exe", "C:\\My Emus\\fceu.exe"},
        {"\"\"fceu.exe\"", "\"fceu.exe"},
        {std::string(32 * 1024, 'x') + "\\fceu.exe", std::string(32 * 1024, 'x') + "\\fceu.exe"},
    };
    for (const auto& c : cases) {
        FakeTarvo t;
        t.services.commandLine = c.line;
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
        EXPECT_EQ(t.form.EmulatorPath(), c.path);
    }
}

TEST(Startup, SecondInstanceActivatesTheFirstByItsCaptionAndEnds) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.AddFile("C:\\Front\\roms\\mario.smc");
    t.services.previousInstance = true;
    EXPECT_EQ(t.Load(), frmPindle::LoadResult::EndProgram);
    ASSERT_EQ(t.services.activated.size(), 1u);
    EXPECT_EQ(t.services.activated[0], "Tarvo - Generic Frontend by Quillan - ZSNES");
    EXPECT_EQ(t.window.caption, "!");
    EXPECT_TRUE(t.list1.items.empty());
    EXPECT_EQ(t.command1.toolTip, "");
    EXPECT_TRUE(t.services.messages.empty());
}

TEST(Startup, FillsTheListAndShowsTheLogoWithNothingSelected) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.AddFile("C:\\Front\\roms\\mario.smc");
    t.services.AddFile("C:\\Front\\roms\\Zelda.SFC");
    t.services.AddFile("C:\\Front\\roms\\readme.txt");
    t.services.AddFile("C:\\Front\\logo.jpg");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.list1.items, (std::vector<std::string>{"mario", "Zelda"}));
    EXPECT_EQ(t.list1.index, -1);
    EXPECT_EQ(t.form.File1().ListIndex(), -1);
    EXPECT_EQ(t.image1.showing, "C:\\Front\\logo.jpg");
}

}  // namespace
}  // namespace tarvo::testing
