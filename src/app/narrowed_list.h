#pragma once
// What the find line keeps of the list: its text, and the rows that hold
// every word of it, by their place in the whole list and by their names.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class NarrowedList {
public:
    bool IsOpen() const { return open_; }
    void Open() { open_ = true, text_.clear(); }
    void Close() { open_ = false, places_.clear(), rows_.clear(); }
    // The line's text; false when it is not open or the text is the same.
    bool Take(const std::string& text);
    // The list's rows narrowed by the text.
    void Narrow(const std::vector<std::string_view>& rows);
    // The list's rows go (a new reading, another order): nothing of theirs is kept.
    void Forget() { places_.clear(), rows_.clear(), folded_.clear(); }

    const std::vector<std::string_view>& Rows() const { return rows_; }
    const std::vector<std::uint32_t>& Places() const { return places_; }
    // The whole list's row of a row shown; -1 for none.
    int PlaceOf(int shownRow) const;
    // What the line says of the rows kept ("12 of 40,008 ROMs"), once each
    // time it changes: a screen reader says each new count once.
    std::optional<std::string> CountToTell(std::size_t all);

private:
    bool open_ = false;
    std::string text_;
    std::vector<std::uint32_t> places_;    // the rows kept, by their place in the whole list
    std::vector<std::string_view> rows_;   // their names, which List1 shows while open
    std::vector<std::string> folded_;      // the whole list's rows as they are compared
    std::string told_;                     // the count the line says
};

}  // namespace tarvo
