#include "app/emulator_profiles.h"

namespace tarvo {

namespace {
using M = EmulatorProfile::Match;
}

// clang-format off
const std::array<EmulatorProfile, kProfileCount> kEmulatorProfiles = {{
    {M::Name, "zsnesw.exe", "snes", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "zsnes.exe", "snes", " - ZSNES", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "snes9xw.exe", "snes", " - SNES9X", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "snes9x.exe", "snes", " - SNES9X", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "sneese.exe", "snes", " - SNEESE", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "gens.exe", "megadrive", " - Gens", "*.zip;*.gen;*.smd;*.bin;*.zsg;*.iso;*.raw", 0},
    {M::Name, "kgen.exe", "megadrive", " - KGen", "*.zip;*.gen;*.smd;*.bin", 0},
    {M::Name, "genecyst.exe", "megadrive", " - Genecyst", "*.zip;*.gen;*.smd;*.bin", 0},
    {M::Name, "project64.exe", "n64", " - Project64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "nemu.exe", "n64", " - Nemu", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "ultrahle.exe", "n64", " - UltraHLE", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "1964.exe", "n64", " - 1964", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "corn.exe", "n64", " - CORN", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "apollo.exe", "n64", " - Apollo", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "mupen64.exe", "n64", " - Mupen64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "daedalus.exe", "n64", " - Daedaulus", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "supra.exe", "n64", " - SupraHLE", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "rew.exe", "gb", " - Rew", "*.*", 0},
    {M::Name, "dboy.exe", "gb", " - dboy", "*.*", 0},
    {M::Name, "bgb.exe", "gb", " - bgb", "*.*", 0},
    {M::Name, "no$gmb.exe", "gb", " - Rew", "*.*", 0},
    {M::Name, "VisualBoyAdvance.exe", "gba", " - VisualBoy Advance", "*.gba;*.zip", 0},
    {M::Name, "VisualBoyAdvance-SDL.exe", "gba", " - VisualBoy Advance", "*.gba;*.zip", 0},
    {M::Name, "boyca.exe", "gba", " - Boycott Advance", "*.gba;*.zip;*.agb;*.rom;*.gz;*.bin", 0},
    {M::Name, "VirtuaNES.exe", "nes", " - VirtuaNES", "*.nes;*.zip", 0},
    {M::Name, "nestopia.exe", "nes", " - Nestopia", "*.nes;*.zip", 0},
    {M::Name, "nester.exe", "nes", " - Nester", "*.nes;*.zip", 0},
    {M::Name, "RockNESX.exe", "nes", " - RockNESX.exe", "*.nes;*.zip", 0},
    {M::Name, "nesticle.exe", "nes", " - Nesticle", "*.nes;*.zip", 0},
    {M::Name, "fceu.exe", "nes", " - FCE Ultra", "*.nes;*.zip", 0},
    {M::Name, "fwnes.exe", "nes", " - FWNES", "*.nes;*.zip", 0},
    {M::Name, "nebula.exe", "arcade", " - Nebula", "*.*", 1},
    {M::Name, "mame.exe", "arcade", " - MAME", "*.zip", 1, true},
    {M::Name, "mame32.exe", "arcade", " - MAME32", "*.zip", 1},
    {M::Name, "fanbuild.exe", "arcade", " - Fanbuild MAME", "*.zip", 1},
    {M::Name, "winkawaks.exe", "arcade", " - WinKawaks", "*.zip", 1},
    {M::Name, "neoragex.exe", "arcade", " - NeoRageX", "*.zip", 1},
    {M::Name, "fba.exe", "arcade", " - fba", "*.zip", 1},
    {M::Name, "finalburn.exe", "arcade", " - FinalBurn", "*.zip", 1},
    {M::Name, "calice32.exe", "arcade", " - Calice32", "*.zip", 1},
    {M::Name, "ace.exe", "arcade", " - Ace", "*.zip", 1},
    {M::Name, "neopocott.exe", "ngp", " - NeoPocott", nullptr, 0},
    {M::Name, "epsxe.exe", "psx", " - ePSXe", "*.zip;*.exe", 0},
    {M::Name, "modeler.exe", "arcade", " - Modeler", "*.zip", 0},
    {M::Name, "sms_sdl.exe", "mastersystem", " - SMS SDL", "*.*", 0},
    {M::Name, "ages.exe", "megadrive", " - AGES", "*.smd;*.bin;*.md;*.gen;*.rar;*.32x;*.iso;*.sms;*.raw;*.cue;*.zip", 0},
    {M::Name, "kega.exe", "megadrive", " - KEGA", "*.smd;*.bin;*.zip;*.sms;*.gg;*.iso;*.bin", 0},
    {M::FolderWildcard, "yame*.exe", "pcengine", " - YAME", "*.pce;*.rom;*.nes;*.gb;*.zip;*.lhz;*.sta;*.snd", 0},
    {M::FolderWildcard, "trwin*.exe", "n64", " - TRWin", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::FolderWildcard, "pagan*.exe", "n64", " - Pagan", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::FolderWildcard, "ultra64*.exe", "n64", " - Ultra64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
}};
// clang-format on

}  // namespace tarvo
