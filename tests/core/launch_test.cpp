#include <gtest/gtest.h>

#include "fakes.h"
#include "launch/launch.h"

namespace tarvo::testing {
namespace {

TEST(ParameterString, BothLaunchModes) {
    struct Case { int mode; const char* folder; const char* name; const char* expected; };
    const Case cases[] = {
        {1, "C:\\Roms", "PacMan.ZIP", "pacman"},
        {1, "C:\\Roms", "sf2.zip", "sf2"},
        {1, "C:\\Roms", "game.1", "ga"},
        {1, "C:\\Roms", "game.gb", "gam"},
        {1, "C:\\Roms", ".zip", ""},
        {1, "C:\\Roms", "abc", ""},  // never the folder
        {1, "C:\\Roms", "", ""},
        {1, "C:\\Roms", "Ülkü.ZIP", "ülkü"},
        {0, "C:\\Roms", "Super Game.smc", "C:\\Roms\\Super Game.smc"},
        {0, "C:\\Roms\\", "Super Game.smc", "C:\\Roms\\Super Game.smc"},
        {0, "C:\\", "game.bin", "C:\\game.bin"},
        {0, "C:\\Roms", "", "C:\\Roms\\"},
        {0, "C:\\Roms", "ゲーム.SMC", "C:\\Roms\\ゲーム.SMC"},
        {7, "C:\\Roms", "a.zip", "C:\\Roms\\a.zip"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildParameterString(c.mode, c.folder, c.name, '\\'), c.expected) << c.mode << " " << c.name;
    }
    EXPECT_EQ(BuildParameterString(0, "/home/u/roms", "a b.nes", '/'), "/home/u/roms/a b.nes");
}

TEST(StartRequest, BareOrRelativeEmulatorsComeFromTheApplicationFolder) {
    EXPECT_EQ(BuildStartRequest("zsnesw.exe", "C:\\Front\\", "p", '\\').program, "C:\\Front\\zsnesw.exe");
    EXPECT_EQ(BuildStartRequest("emu\\z.exe", "C:\\Front\\", "p", '\\').program, "C:\\Front\\emu\\z.exe");
    EXPECT_EQ(BuildStartRequest("D:\\z.exe", "C:\\Front\\", "p", '\\').program, "D:\\z.exe");
    EXPECT_EQ(BuildStartRequest("fceu", "/opt/tarvo/", "p", '/').program, "/opt/tarvo/fceu");
    const StartRequest r = BuildStartRequest("/usr/games/mame", "/opt/tarvo/", "pacman", '/');
    EXPECT_EQ(r.program, "/usr/games/mame");
    EXPECT_EQ(r.parameters, "pacman");
    EXPECT_EQ(r.workingFolder, "/opt/tarvo/");
}

TEST(Launch, StartsTheSelectionAndMinimises) {
    FakeTarvo t;
    t.services.commandLine = "\"C:\\Emu\\zsnesw.exe\"";
    t.services.settings["roms"] = "D:\\My Roms";
    t.services.AddFile("D:\\My Roms\\Super Game.smc");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    t.form.Command1_Click();  // nothing selected: the folder alone
    t.Select(0);
    t.form.Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 2u);
    EXPECT_EQ(t.services.starts[0].parameters, "D:\\My Roms\\");
    EXPECT_EQ(t.services.starts[1].program, "C:\\Emu\\zsnesw.exe");
    EXPECT_EQ(t.services.starts[1].parameters, "D:\\My Roms\\Super Game.smc");
    EXPECT_EQ(t.services.starts[1].workingFolder, "C:\\Front\\");
    EXPECT_EQ(t.window.minimized, 2);
    EXPECT_TRUE(t.services.messages.empty());
}

TEST(Launch, AdoptedEmulatorInModeOne) {
    FakeTarvo t;
    t.services.AddFile("C:\\Front\\mame.exe");
    t.services.AddFile("C:\\Front\\roms\\PacMan.ZIP");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    EXPECT_EQ(t.command1.toolTip, "mame.exe");
    t.Select(0);
    t.form.Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].program, "C:\\Front\\mame.exe");
    EXPECT_EQ(t.services.starts[0].parameters, "pacman");
}

TEST(Launch, FailedStartIsReportedAndDoesNotMinimise) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.AddFile("C:\\Front\\roms\\mario.smc");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    t.services.startResult = {false, "The system cannot find the file specified."};
    t.Select(0);
    t.form.Command1_Click();
    EXPECT_EQ(t.window.minimized, 0);
    ASSERT_EQ(t.services.messages.size(), 1u);
    EXPECT_EQ(t.services.messages[0],
              "Could not start the emulator C:\\Emu\\zsnesw.exe: The system cannot find the file specified.");
    // The next start that works behaves as usual.
    t.services.startResult = {true, ""};
    t.form.Command1_Click();
    EXPECT_EQ(t.window.minimized, 1);
}

TEST(Launch, FolderThatVanishedAfterListingStillStarts) {
    FakeTarvo t;
    t.services.commandLine = "C:\\Emu\\zsnesw.exe";
    t.services.AddFile("C:\\Front\\roms\\mario.smc");
    ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
    t.Select(0);
    t.services.files.clear();
    t.form.Command1_Click();
    ASSERT_EQ(t.services.starts.size(), 1u);
    EXPECT_EQ(t.services.starts[0].parameters, "C:\\Front\\roms\\mario.smc");
}

}  // namespace
}  // namespace tarvo::testing
