#pragma once
// Type-ahead in List1: a typed letter moves the selection to the next row
// whose name begins with it.

#include <string_view>
#include <vector>

namespace tarvo {

// The first row after the caret whose name begins with the letter, letter
// case ignored, going round the end; from the first row when there is no
// caret (-1). -1 when no name begins with it.
int NextRowStartingWith(const std::vector<std::string_view>& rows, char32_t letter, int caret);

}  // namespace tarvo
