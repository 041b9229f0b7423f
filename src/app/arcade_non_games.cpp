#include "app/arcade_non_games.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/arcade_non_game_sets.h"
#include "text/utf8.h"

namespace tarvo {

namespace {

// The lookup halves the table: a table out of order would miss sets.
constexpr bool InOrder() {
    for (std::size_t i = 1; i < std::size(kArcadeNonGameSets); ++i) {
        if (!(kArcadeNonGameSets[i - 1] < kArcadeNonGameSets[i])) return false;
    }
    return true;
}
static_assert(InOrder(), "scripts/make-arcade-non-games writes the sets sorted and once each");

}  // namespace

bool IsArcadeNonGame(std::string_view set) {
    std::string lowered(set);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii<char>);
    return std::binary_search(std::begin(kArcadeNonGameSets), std::end(kArcadeNonGameSets), std::string_view(lowered));
}

}  // namespace tarvo
