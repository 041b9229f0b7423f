#pragma once
// An emulator's own `args` setting, with the selected ROM put in its
// placeholders: %ROM% (the one parameter Tarvo passes without args),
// %ROMFILE% (the ROM's full path), %BASENAME% (its file name less folder and
// extension) and %ROMDIR% (its folder). Names are matched whatever their
// letter case; any other %WORD% stays as written. Args without a placeholder
// get the ROM's parameter after them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

struct RomPlaceholders {
    std::string rom;      // the parameter as Tarvo passes it without args
    std::string romFile;  // the ROM's full path
    bool romIsPath;       // false when the arcade launch mode made rom a set name
};

// A Linux path as a Windows emulator under Wine must be told it.
using WindowsPathFor = std::function<std::string(const std::string& linuxPath)>;

struct ExpandedArguments {
    std::vector<std::string> arguments;
    std::string error;  // not empty: args cannot be used, and this says why
};

// Linux: args split into an argument vector as a desktop entry's Exec line
// is, the placeholders filled in afterwards, so a value is never split. The
// paths go through windowsPath when it is set (a Windows emulator).
ExpandedArguments ArgumentsFor(std::string_view args, const RomPlaceholders& rom, char separator,
                               const WindowsPathFor& windowsPath);

struct ExpandedParameterString {
    std::string text;
    std::string error;  // not empty: args cannot be used, and this says why
};

// Windows: one parameter string, the placeholders replaced in args as it is
// written, quotes and all.
ExpandedParameterString ParameterStringFor(std::string_view args, const RomPlaceholders& rom, char separator);

}  // namespace tarvo
