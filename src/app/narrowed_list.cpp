#include "app/narrowed_list.h"

#include "ui/find_rows.h"

namespace tarvo {

bool NarrowedList::Take(const std::string& text) {
    if (!open_ || text == text_) return false;
    text_ = text;
    return true;
}

void NarrowedList::Narrow(const std::vector<std::string_view>& rows) {
    if (folded_.size() != rows.size()) folded_ = FoldedRows(rows);  // once a fill, not once a key
    places_ = FindRows(folded_, text_);
    rows_.clear();
    rows_.reserve(places_.size());
    for (const std::uint32_t place : places_) rows_.push_back(rows[place]);
}

int NarrowedList::PlaceOf(int shownRow) const {
    if (!open_ || shownRow < 0) return shownRow;
    return shownRow < static_cast<int>(places_.size()) ? static_cast<int>(places_[shownRow]) : -1;
}

std::optional<std::string> NarrowedList::CountToTell(std::size_t all) {
    std::string count = FoundLine(places_.size(), all);
    if (count == told_) return std::nullopt;
    return told_ = std::move(count);
}

}  // namespace tarvo
