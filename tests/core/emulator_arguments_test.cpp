// An emulator's args with the ROM's placeholders: Linux argument vectors,
// Windows parameter strings, and args that cannot be used.

#include <gtest/gtest.h>

#include <algorithm>

#include "launch/batch_files.h"
#include "launch/emulator_arguments.h"

namespace tarvo {
namespace {

RomPlaceholders RomAt(const std::string& path) { return {path, path, true}; }

const std::string kPath = "/home/me/roms/a b.nes", kGame = "C:\\Roms\\Super Game.smc";
const RomPlaceholders kRom = RomAt(kPath), kArcade{"pacman", "/home/me/roms/pacman.zip", false};

// A Linux path as Wine names it when its Z: is "/".
std::string OnDriveZ(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

TEST(EmulatorArguments, LinuxSplitsAsAnExecLineThenFillsIn) {
    const std::string quotes = "/r/x \"y\" \\z $w 'v'.nes", longest(32767, 'x'), zPath = OnDriveZ(kPath);
    struct Case { std::string args; std::vector<std::string> expected; RomPlaceholders rom = kRom; bool wine = false; };
    const Case cases[] = {
        {"", {kPath}}, {" \t ", {kPath}}, {"a\\b", {"ab", kPath}}, {"-f\t-g", {"-f", "-g", kPath}}, {longest, {longest, kPath}},
        {"-L /usr/lib/nestopia_libretro.so \"%ROM%\"", {"-L", "/usr/lib/nestopia_libretro.so", kPath}},
        {"-b -e %rom%", {"-b", "-e", kPath}}, {"-rompath \"%RomDir%\" %BASENAME%", {"-rompath", "/home/me/roms", "a b"}},
        {"--rom=%ROMFILE% x%ROM%\"y\"%basename%", {"--rom=" + kPath, "x" + kPath + "ya b"}},
        {"%ROMFILE %WHO% 50%%ROM%", {"%ROMFILE", "%WHO%", "50%" + kPath}},
        {"\\%ROM% \"\\%ROM%\"", {"%ROM%", "\\" + kPath}},  // only outside quotes \ escapes %
        {R"("\"b\" \` \$ \\ \n" c\ d\"e 'f g' "" a"b c"d)", {"\"b\" ` $ \\ \\n", "c d\"e", "'f", "g'", "", "ab cd", kPath}},
        {"%ROM% \"%ROMFILE%\"", {quotes, quotes}, RomAt(quotes)},
        {"-x %ROM% \"%ROM%\" -y", {"-x", "", "", "-y"}, {"", "/roms/abc", false}},  // a set name too short
        {"", {"pacman"}, kArcade}, {"-rompath %ROMDIR% %ROM%", {"-rompath", "/home/me/roms", "pacman"}, kArcade},
        {"%ROMDIR% %BASENAME%", {"/", "a"}, RomAt("/a.nes")}, {"%ROMDIR%", {"Z:\\"}, RomAt("/a.nes"), true},
        {"%ROMDIR% %BASENAME%", {"/r.old", "README"}, RomAt("/r.old//README")},
        {"--título=%ROMDIR% %BASENAME%", {"--título=/ゲーム", "Ülkü.v1"}, RomAt("/ゲーム/Ülkü.v1.NES")},
        {"", {zPath}, kRom, true}, {"%ROM% %ROMDIR%", {"pacman", "Z:\\home\\me\\roms"}, kArcade, true},
        {"%ROM% %ROMFILE% %ROMDIR% %BASENAME%", {zPath, zPath, "Z:\\home\\me\\roms", "a b"}, kRom, true},
    };
    for (const auto& c : cases) {
        const ExpandedArguments expanded = ArgumentsFor(c.args, c.rom, '/', c.wine ? OnDriveZ : WindowsPathFor());
        EXPECT_EQ(expanded.error, "") << c.args;
        EXPECT_EQ(expanded.arguments, c.expected) << c.args;
    }
}

TEST(EmulatorArguments, WindowsReplacesTheTextAsWritten) {
    const RomPlaceholders arcade{"pacman", "C:\\Roms\\pacman.zip", false};
    struct Case { const char* args; std::string expected; RomPlaceholders rom = RomAt(kGame); };
    const Case cases[] = {
        {"", kGame}, {" \t", kGame}, {"-fullscreen", "-fullscreen " + kGame}, {"-b -e \"%rom%\"", "-b -e \"" + kGame + "\""},
        {"-rompath \"%ROMDIR%\" %BaseName%", "-rompath \"C:\\Roms\" Super Game"}, {"\"%ROM%", "\"" + kGame},
        {"'%ROMFILE%' \"a\\\" %WHO% 50%%ROMFILE", "'" + kGame + "' \"a\\\" %WHO% 50%%ROMFILE"},  // quotes as written
        {"", "pacman", arcade}, {"-rompath %ROMDIR% %ROM%", "-rompath C:\\Roms pacman", arcade},
        {"%ROMDIR%", "C:\\", RomAt("C:\\a.bin")}, {"%ROMDIR%", "\\", RomAt("\\a.bin")},
        {"%ROMDIR% %BASENAME%", "D:\\ゲーム Ülkü", RomAt("D:\\ゲーム\\Ülkü.NES")},
        // Backslashes before a quote written after a placeholder, doubled: read back, R:\ as it is.
        {"-rompath \"%ROMDIR%\" %BASENAME%", "-rompath \"R:\\\\\" game", RomAt("R:\\game.nes")},
        {"%ROMDIR%\"x\"", "R:\\\\\"x\"", RomAt("R:\\game.nes")}, {"\"%ROMDIR%\\\"", "\"R:\\\\\"", RomAt("R:\\game.nes")},
    };
    for (const auto& c : cases) {
        const ExpandedParameterString expanded = ParameterStringFor(c.args, c.rom, '\\');
        EXPECT_EQ(expanded.error, "") << c.args;
        EXPECT_EQ(expanded.text, c.expected) << c.args;
    }
}

TEST(EmulatorArguments, ArgsThatCannotBeUsedSayWhy) {
    struct Case { std::string args; const char* linuxError; const char* windowsError; };  // "": usable
    const Case cases[] = {
        {"-x \"%ROM%", "quote that is never closed", ""}, {"-x \"a\\\"", "quote that is never closed", ""},
        {"-x \\", "backslash that escapes nothing", ""}, {std::string("-x\0y", 4), "NUL", "NUL"},
        {std::string(32768, 'x'), "than 32767", "than 32767"}, {std::string(100 * 1024, 'x'), "than 32767", "than 32767"},
    };
    for (const auto& c : cases) {
        const ExpandedArguments onLinux = ArgumentsFor(c.args, kRom, '/', nullptr);
        EXPECT_TRUE(onLinux.arguments.empty() && onLinux.error.find(c.linuxError) != std::string::npos) << onLinux.error;
        const std::string windowsError = ParameterStringFor(c.args, kRom, '\\').error;
        EXPECT_TRUE(*c.windowsError ? windowsError.find(c.windowsError) != std::string::npos : windowsError.empty());
    }
    // A name that would reach the emulator as an option ("-norotate.zip"), in a placeholder.
    const RomPlaceholders option{"-norotate", "/roms/-norotate.zip", false}, windowsOption{"-norotate", "R:\\-norotate.zip", false};
    for (const char* args : {"-rompath /roms %BASENAME%", "%ROM%"}) {
        const std::string said = std::string("the ROM's %") + (args[0] == '%' ? "ROM" : "BASENAME") + "% -norotate would reach the emulator as an option";
        EXPECT_EQ(ArgumentsFor(args, option, '/', nullptr).error, said) << args;
        EXPECT_EQ(ParameterStringFor(args, windowsOption, '\\').error, said) << args;
    }
    EXPECT_EQ(ArgumentsFor("%ROMFILE%", option, '/', nullptr).arguments, std::vector<std::string>{"/roms/-norotate.zip"});
    // Filled in, the parameters must fit a Windows command line, counted as Windows does (in UTF-16).
    std::string many, pads;
    for (int i = 0; i < 3000; ++i) many += "%ROM% ";
    EXPECT_EQ(ParameterStringFor(many, RomAt("C:\\Roms\\Super Game.smc"), '\\').error,
              "args filled in is 69000 characters long, more than the 32766 a command line holds");
    for (int i = 0; i < 16379; ++i) pads += "\xF0\x9F\x8E\xAE";
    EXPECT_EQ(ParameterStringFor("%ROM%", RomAt("C:\\" + pads + ".nes"), '\\').error, "");  // 32765 units
    EXPECT_NE(ParameterStringFor("%ROM%", RomAt("C:\\" + pads + "\xF0\x9F\x8E\xAE.nes"), '\\').error, "");  // 32767
}

TEST(EmulatorArguments, ABatchFileGetsItsParametersAsTheyAreAndNothingOfThemRuns) {
    const std::string prefix = "/d /e:on /v:off /s /c \"\"C:\\Emu\\run.bat\"";
    struct Case { const char* parameters; const char* line; };  // what follows the batch file's name
    const Case cases[] = {
        {"C:\\Roms\\Tom & Jerry.nes", " C:\\Roms\\Tom ^& Jerry.nes\""},
        {"\"C:\\Roms\\x & mkdir PWNED.nes\"", " ^\"C:\\Roms\\x ^& mkdir PWNED.nes^\"\""},  // a quote no longer shelters
        {"a|b<c>d^e(f)g!h", " a^|b^<c^>d^^e^(f^)g^!h\""},
        {"%PATH%.nes 100%", " %^PATH%^.nes 100%^\""},  // no variable has a name that begins with ^
        {"", "\""},
    };
    for (const Case& c : cases) {
        const CmdLine cmd = CmdLineFor("C:\\Emu\\run.bat", c.parameters);
        EXPECT_EQ(cmd.error, "") << c.parameters;
        EXPECT_EQ(cmd.parameters, prefix + c.line) << c.parameters;
    }
    EXPECT_NE(CmdLineFor("C:\\Emu\\run.bat", "a\nb.nes").error, "");
    EXPECT_EQ(CmdLineFor("C:\\Emu\\run.bat", std::string(8191 - prefix.size() - 2, 'x')).error, "");
    EXPECT_NE(CmdLineFor("C:\\Emu\\run.bat", std::string(8191 - prefix.size() - 1, 'x')).error, "");
    for (const auto& [program, batch] : {std::pair{"C:\\Emu\\RUN.BAT", true}, {"run.cmd", true}, {"C:\\bat", false},
                                         {"C:\\Emu\\nestopia.exe", false}, {"x.bat.exe", false}}) EXPECT_EQ(IsBatchFile(program), batch) << program;
}

}  // namespace
}  // namespace tarvo
