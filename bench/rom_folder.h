#pragma once
// Generated ROM folders for the benchmarks: n matching "*.zip" files plus n
// that do not match ("*.txt"), in random name order; or, numbered, as the
// names of a renamed set run ("game 00001 title 1.zip", ".txt").

#include <string>

namespace tarvo::bench {

// Creates (or reuses) parent/roms-<n> (numbered: parent/numbered-<n>) and
// returns its path.
std::string MakeRomFolder(const std::string& parent, int matching, bool numbered = false);

}  // namespace tarvo::bench
