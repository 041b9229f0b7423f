#pragma once
// Finding rows by what they show, as file managers do: characters typed
// less than a second apart form a prefix; the first of a prefix moves to the
// next row that begins with it, each further one keeps the selected row
// while it still matches, else moves on to the next row that does. The
// same character again and again moves to the next row beginning with it
// each time. Letter case is ignored as the list's order ignores it.
// And jumps from one first letter to the next, as a pad's triggers do.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class TypeAhead {
public:
    static constexpr std::int64_t kPauseMs = 1000;  // a pause this long begins a new prefix

    // The row the character typed at that time (ms, any steady clock) moves
    // the selection to from the selected row (-1: none); -1 when no row
    // matches, and the selection stays.
    int Typed(const std::vector<std::string_view>& rows, char32_t character, std::int64_t time, int selected);

private:
    std::u32string prefix_;  // lower-cased
    std::int64_t lastTyped_ = 0;
};

// The first row of the next group of rows with the same first letter after
// the selected row's (with nothing selected, the first row), or of the
// group before it; -1 at either end.
int FirstOfNextLetter(const std::vector<std::string_view>& rows, int selected);
int FirstOfPreviousLetter(const std::vector<std::string_view>& rows, int selected);

}  // namespace tarvo
