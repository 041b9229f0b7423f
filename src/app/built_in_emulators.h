#pragma once
// The emulators Debian ships, as an installed Tarvo knows them without a
// settings file: each has a menu entry, and a section of its own that the
// user's section of the same name replaces whole.

#include <array>
#include <string>

namespace tarvo {

struct BuiltInEmulator {
    const char* name;      // the section's, and the command line's where it is no path
    const char* menuName;  // "Tarvo - RetroArch (NES)"
    const char* program;   // what starts, where Debian puts it
    const char* system;    // its ROMs' folder under ~/ROMs
    const char* pattern;   // nullptr: the profile's
    const char* args;      // nullptr: none beyond the profile's
    const char* core;      // RetroArch's core, which must be there; else ""
    const char* package;   // the Debian package that brings the core
};

inline constexpr int kBuiltInCount = 19;
extern const std::array<BuiltInEmulator, kBuiltInCount> kBuiltInEmulators;

// By the command line's program name, letter case ignored; nullptr if none.
const BuiltInEmulator* FindBuiltIn(const std::string& name);

// What a desktop entry runs: the program's own path where the entry is the
// program's, else the entry's name (one RetroArch, one entry per core).
std::string MenuCommandLine(const BuiltInEmulator& emulator);

}  // namespace tarvo
