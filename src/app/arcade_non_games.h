#pragma once
// The sets that are no games, for the arcade emulators Tarvo cannot ask
// (old Windows builds): MAME 0.251's BIOS sets (neogeo.zip) and its devices
// with ROM files of their own (qsound.zip).

#include <string_view>

namespace tarvo {

// Letter case ignored.
bool IsArcadeNonGame(std::string_view set);

}  // namespace tarvo
