#pragma once
// Generated ROM folders for the benchmarks: n matching "*.zip" files plus n
// that do not match, in random name order.

#include <string>

namespace tarvo::bench {

// Creates (or reuses) parent/roms-<n> and returns its path.
std::string MakeRomFolder(const std::string& parent, int matching);

}  // namespace tarvo::bench
