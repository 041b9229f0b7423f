#include <gtest/gtest.h>

#include "fakes.h"
#include "launch/launch.h"

namespace tarvo {
namespace {

TEST(ParameterString, BothLaunchModes) {
    struct Case { int mode; const char* folder; const char* name; const char* expected; };
    const Case cases[] = {
        {1, "C:\\Roms", "PacMan.ZIP", "pacman"},
        {1, "C:\\Roms", "sf2.zip", "sf2"},
        {1, "C:\\Roms", "game.1", "ga"},  // four characters go, whatever the extension
        {1, "C:\\Roms", "game.gb", "gam"},
        {1, "C:\\Roms", ".zip", ""},
        {1, "C:\\Roms", "abc", ""},  // never the folder
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
    struct Case { const char* emulator; char sep; const char* program; };
    const Case cases[] = {
        {"zsnesw.exe", '\\', "C:\\Front\\zsnesw.exe"}, {"emu\\z.exe", '\\', "C:\\Front\\emu\\z.exe"},
        {"D:\\z.exe", '\\', "D:\\z.exe"},              {"fceu", '/', "/opt/tarvo/fceu"},
        {"/usr/games/mame", '/', "/usr/games/mame"},
    };
    for (const auto& c : cases) {
        const std::string app = c.sep == '/' ? "/opt/tarvo/" : "C:\\Front\\";
        const StartRequest r = BuildStartRequest(c.emulator, app, "p", c.sep);
        EXPECT_EQ(r.program, c.program);
        EXPECT_EQ(r.parameters, "p");
        EXPECT_EQ(r.workingFolder, app);
    }
}

TEST(Launch, TheWindowMinimisesOnceTheEmulatorHasStartedAndOnlyThen) {
    const std::string cannot = "Could not start the emulator C:\\Emu\\zsnesw.exe: ";
    struct Case { StartResult now; std::optional<StartResult> later; bool folderGone; bool minimized; std::string message; };
    const Case cases[] = {
        {StartResult::Started(true), {}, false, true, ""},
        {StartResult::Failed("Access is denied."), {}, false, false, cannot + "Access is denied."},
        {StartResult::Pending(), {}, false, false, ""},  // the window carries on meanwhile
        {StartResult::Pending(), StartResult::Started(true), false, true, ""},
        {StartResult::Pending(), StartResult::Failed("No such file"), false, false, cannot + "No such file"},
        // Tarvo's own folder is gone: not the emulator's fault, and nothing is started.
        {StartResult::Started(true), {}, true, false, cannot + "its working folder C:\\Front\\ is gone"},
    };
    for (const auto& c : cases) {
        testing::FakeTarvo t;
        t.services.commandLine = "C:\\Emu\\zsnesw.exe";
        t.services.nextStart = c.now;
        if (c.folderGone) t.services.goneFolders.insert("C:\\Front\\");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
        t.form.Command1_Click();
        EXPECT_EQ(t.services.starts.size(), c.folderGone ? 0u : 1u);
        if (c.later) t.services.reports->StartFinished(t.services.starts[0], *c.later);
        EXPECT_EQ(t.window.minimized, c.minimized) << c.message;
        EXPECT_EQ(t.services.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

TEST(Launch, TheWindowComesBackWhenTheLastEmulatorEnds) {
    // Each step: 's' a start, 'f' a failed start, 'u' a start nobody can
    // watch, 'e' an emulator's end, 'r' the user restores the window.
    struct Case { const char* steps; int restored; bool minimized; };
    const Case cases[] = {
        {"se", 1, false},   {"sre", 0, false},  // back, unless the user came back first
        {"ssee", 1, false}, {"sse", 0, true},   // only the last end
        {"fse", 1, false},  {"fe", 0, false},   // a failed start is no emulator
        {"ue", 0, true},
    };
    for (const auto& c : cases) {
        testing::FakeTarvo t;
        t.services.commandLine = "C:\\Emu\\zsnesw.exe";
        t.services.AddFile("C:\\Front\\roms\\a.smc");
        ASSERT_EQ(t.Load(), frmPindle::LoadResult::ShowWindow);
        t.Select(0);
        for (const char* step = c.steps; *step; ++step) {
            const std::map<char, StartResult> results = {
                {'s', StartResult::Started(true)}, {'f', StartResult::Failed("x")}, {'u', StartResult::Started(false)}};
            if (results.count(*step)) {
                t.services.nextStart = results.at(*step);
                t.form.Command1_Click();
            }
            if (*step == 'e') t.services.reports->ProgramEnded();
            if (*step == 'r') t.window.minimized = false;
        }
        EXPECT_EQ(t.window.restored, c.restored) << c.steps;
        EXPECT_EQ(t.window.minimized, c.minimized) << c.steps;
        EXPECT_EQ(t.list1.focused, c.restored > 0) << c.steps;
        EXPECT_EQ(t.list1.index, 0) << c.steps;
    }
}

}  // namespace
}  // namespace tarvo
