#include "app/built_in_emulators.h"

#include <algorithm>

#include "text/paths.h"
#include "text/utf8.h"

#ifndef TARVO_LIBRETRO
#define TARVO_LIBRETRO "/usr/lib/x86_64-linux-gnu/libretro/"
#endif

namespace tarvo {

#define RETROARCH(name, menu, system, pattern, core, package)                                                     \
    {name, "RetroArch (" menu ")", "/usr/bin/retroarch", system, pattern, "-L " TARVO_LIBRETRO core " %ROM%", \
     TARVO_LIBRETRO core, package}

// clang-format off
const std::array<BuiltInEmulator, kBuiltInCount> kBuiltInEmulators = {{
    {"nestopia", "Nestopia", "/usr/games/nestopia", "nes", nullptr, nullptr, "", ""},
    // Debian's MAME looks in its own rompath; the folder Tarvo lists comes first.
    {"mame", "MAME", "/usr/games/mame", "arcade", nullptr, "-rompath %ROMDIR% %ROM%", "", ""},
    {"fceux", "FCEUX", "/usr/games/fceux", "nes", "*.nes;*.zip", nullptr, "", ""},
    {"mednafen", "Mednafen", "/usr/games/mednafen", "mednafen", "*.nes;*.pce;*.gb;*.gbc;*.gba;*.cue;*.zip", nullptr, "", ""},
    {"mgba", "mGBA", "/usr/games/mgba", "gba", "*.gba;*.gb;*.gbc;*.zip", nullptr, "", ""},
    {"mgba-qt", "mGBA (Qt)", "/usr/games/mgba-qt", "gba", "*.gba;*.gb;*.gbc;*.zip", nullptr, "", ""},
    {"stella", "Stella", "/usr/bin/stella", "atari2600", "*.a26;*.bin;*.zip", nullptr, "", ""},
    {"dosbox", "DOSBox", "/usr/bin/dosbox", "dos", "*.com;*.exe;*.bat", "%ROMFILE% -exit", "", ""},
    // Each ends with its game, so Tarvo comes back.
    {"dolphin-emu", "Dolphin", "/usr/games/dolphin-emu", "gc", "*.iso;*.gcm;*.gcz;*.rvz;*.wbfs;*.ciso;*.wad;*.dol;*.elf",
     "-b -e %ROMFILE%", "", ""},
    {"pcsxr", "PCSX-Reloaded", "/usr/games/pcsxr", "psx", "*.cue;*.bin;*.iso;*.img;*.pbp", "-nogui -cdfile %ROMFILE%", "", ""},
    RETROARCH("retroarch-nes", "NES", "nes", "*.nes;*.zip", "nestopia_libretro.so", "libretro-nestopia"),
    RETROARCH("retroarch-snes", "SNES", "snes", "*.sfc;*.smc;*.zip", "bsnes_mercury_balanced_libretro.so", "libretro-bsnes-mercury-balanced"),
    RETROARCH("retroarch-gb", "Game Boy", "gb", "*.gb;*.gbc;*.zip", "gambatte_libretro.so", "libretro-gambatte"),
    RETROARCH("retroarch-gba", "GBA", "gba", "*.gba;*.zip", "mgba_libretro.so", "libretro-mgba"),
    RETROARCH("retroarch-nds", "Nintendo DS", "nds", "*.nds;*.zip", "desmume_libretro.so", "libretro-desmume"),
    RETROARCH("retroarch-pce", "PC Engine", "pcengine", "*.pce;*.cue;*.zip", "mednafen_pce_fast_libretro.so", "libretro-beetle-pce-fast"),
    RETROARCH("retroarch-psx", "PlayStation", "psx", "*.cue;*.pbp;*.chd;*.m3u", "mednafen_psx_libretro.so", "libretro-beetle-psx"),
    RETROARCH("retroarch-vb", "Virtual Boy", "virtualboy", "*.vb;*.vboy;*.zip", "mednafen_vb_libretro.so", "libretro-beetle-vb"),
    RETROARCH("retroarch-wswan", "WonderSwan", "wonderswan", "*.ws;*.wsc;*.zip", "mednafen_wswan_libretro.so", "libretro-beetle-wswan"),
}};
// clang-format on

#undef RETROARCH

const BuiltInEmulator* FindBuiltIn(const std::string& name) {
    const auto found = std::find_if(kBuiltInEmulators.begin(), kBuiltInEmulators.end(),
                                    [&](const BuiltInEmulator& e) { return EqualsIgnoreCase(name, e.name); });
    return found == kBuiltInEmulators.end() ? nullptr : &*found;
}

std::string MenuCommandLine(const BuiltInEmulator& emulator) {
    const std::string program = emulator.program;
    return FileNamePart(program, '/') == emulator.name ? program : emulator.name;
}

}  // namespace tarvo
