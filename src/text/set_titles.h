#pragma once
// The titles an arcade emulator knows its sets by, from what MAME prints
// for -listfull: a header line ("Name: ... Description:"), then one line a
// set, its name and its title in double quotes:
//     pacman            "Pac-Man (Midway)"
// A title may itself hold quotes; it runs to the line's last one.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class SetTitles {
public:
    // The titles of such an answer; none at all when it is not one: no
    // header, a line of another shape, a set name or a title of a length
    // no MAME has, text that is not UTF-8 or holds control characters.
    static SetTitles FromListFull(std::string_view answer);

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    // The title of the set, letter case ignored; empty when it has none.
    std::string_view Find(std::string_view set) const;

private:
    struct Entry {
        std::uint32_t set, setLength, title, titleLength;  // in text_
    };
    std::string_view SetOf(const Entry& entry) const { return std::string_view(text_).substr(entry.set, entry.setLength); }

    std::string text_;             // each set (lower-cased), then its title
    std::vector<Entry> entries_;   // by set
};

}  // namespace tarvo
