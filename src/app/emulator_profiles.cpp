#include "app/emulator_profiles.h"

namespace tarvo {

namespace {
using M = EmulatorProfile::Match;
}

// clang-format off
const std::array<EmulatorProfile, kProfileCount> kEmulatorProfiles = {{
    {M::Name, "zsnesw.exe", " - ZSNES", "*.smc;*.bin;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "zsnes.exe", " - ZSNES", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "snes9xw.exe", " - SNES9X", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "snes9x.exe", " - SNES9X", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "sneese.exe", " - SNEESE", "*.smc;*.bin;*.zip;*.sfc;*.fig;*.1;*.2", 0},
    {M::Name, "gens.exe", " - Gens", "*.zip;*.gen;*.smd;*.bin;*.zsg;*.iso;*.raw", 0},
    {M::Name, "kgen.exe", " - KGen", "*.zip;*.gen;*.smd;*.bin", 0},
    {M::Name, "genecyst.exe", " - Genecyst", "*.zip;*.gen;*.smd;*.bin", 0},
    {M::Name, "project64.exe", " - Project64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "nemu.exe", " - Nemu", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "ultrahle.exe", " - UltraHLE", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "1964.exe", " - 1964", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "corn.exe", " - CORN", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "apollo.exe", " - Apollo", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "mupen64.exe", " - Mupen64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "daedalus.exe", " - Daedaulus", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "supra.exe", " - SupraHLE", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::Name, "rew.exe", " - Rew", "*.*", 0},
    {M::Name, "dboy.exe", " - dboy", "*.*", 0},
    {M::Name, "bgb.exe", " - bgb", "*.*", 0},
    {M::Name, "no$gmb.exe", " - Rew", "*.*", 0},
    {M::Name, "VisualBoyAdvance.exe", " - VisualBoy Advance", "*.gba;*.zip", 0},
    {M::Name, "VisualBoyAdvance-SDL.exe", " - VisualBoy Advance", "*.gba;*.zip", 0},
    {M::Name, "boyca.exe", " - Boycott Advance", "*.gba;*.zip;*.agb;*.rom;*.gz;*.bin", 0},
    {M::Name, "VirtuaNES.exe", " - VirtuaNES", "*.nes;*.zip", 0},
    {M::Name, "nestopia.exe", " - Nestopia", "*.nes;*.zip", 0},
    {M::Name, "nester.exe", " - Nester", "*.nes;*.zip", 0},
    {M::Name, "RockNESX.exe", " - RockNESX.exe", "*.nes;*.zip", 0},
    {M::Name, "nesticle.exe", " - Nesticle", "*.nes;*.zip", 0},
    {M::Name, "fceu.exe", " - FCE Ultra", "*.nes;*.zip", 0},
    {M::Name, "fwnes.exe", " - FWNES", "*.nes;*.zip", 0},
    {M::Name, "nebula.exe", " - Nebula", "*.*", 1},
    {M::Name, "mame.exe", " - MAME", "*.zip", 1, true},
    {M::Name, "mame32.exe", " - MAME32", "*.zip", 1},
    {M::Name, "fanbuild.exe", " - Fanbuild MAME", "*.zip", 1},
    {M::Name, "winkawaks.exe", " - WinKawaks", "*.zip", 1},
    {M::Name, "neoragex.exe", " - NeoRageX", "*.zip", 1},
    {M::Name, "fba.exe", " - fba", "*.zip", 1},
    {M::Name, "finalburn.exe", " - FinalBurn", "*.zip", 1},
    {M::Name, "calice32.exe", " - Calice32", "*.zip", 1},
    {M::Name, "ace.exe", " - Ace", "*.zip", 1},
    {M::Name, "neopocott.exe", " - NeoPocott", nullptr, 0},
    {M::Name, "epsxe.exe", " - ePSXe", "*.zip;*.exe", 0},
    {M::Name, "modeler.exe", " - Modeler", "*.zip", 0},
    {M::Name, "sms_sdl.exe", " - SMS SDL", "*.*", 0},
    {M::Name, "ages.exe", " - AGES", "*.smd;*.bin;*.md;*.gen;*.rar;*.32x;*.iso;*.sms;*.raw;*.cue;*.zip", 0},
    {M::Name, "kega.exe", " - KEGA", "*.smd;*.bin;*.zip;*.sms;*.gg;*.iso;*.bin", 0},
    {M::FolderWildcard, "yame*.exe", " - YAME", "*.pce;*.rom;*.nes;*.gb;*.zip;*.lhz;*.sta;*.snd", 0},
    {M::FolderWildcard, "trwin*.exe", " - TRWin", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::FolderWildcard, "pagan*.exe", " - Pagan", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
    {M::FolderWildcard, "ultra64*.exe", " - Ultra64", "*.zip;*.?64;*.rom;*.usa;*.pal;*.jap", 0},
}};
// clang-format on

}  // namespace tarvo
