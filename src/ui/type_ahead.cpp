#include "ui/type_ahead.h"

#include "text/utf8.h"

namespace tarvo {

int NextRowStartingWith(const std::vector<std::string_view>& rows, char32_t letter, int caret) {
    const char32_t wanted = LowerChar(letter);
    if (caret < 0 || static_cast<std::size_t>(caret) >= rows.size()) caret = -1;
    for (std::size_t step = 1; step <= rows.size(); ++step) {
        const std::size_t row = (static_cast<std::size_t>(caret) + step) % rows.size();
        if (!rows[row].empty() && LowerChar(DecodeAt(rows[row], 0).codePoint) == wanted) return static_cast<int>(row);
    }
    return -1;
}

}  // namespace tarvo
