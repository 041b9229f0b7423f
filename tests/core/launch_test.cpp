#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarvo
