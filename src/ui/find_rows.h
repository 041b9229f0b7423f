#pragma once
// The find line's rule: which rows a typed text keeps, and where the
// selection goes as the list narrows.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The text as the find line compares it: letters lower-cased and without
// their accents ("Pokémon" reads "pokemon"), "ß" as "ss".
std::string FoldedForFind(std::string_view text);

// The rows' texts folded, once for all the keys typed while they are shown.
std::vector<std::string> FoldedRows(const std::vector<std::string_view>& rows);

// The rows whose folded text holds every word of the query (words part at
// blanks and punctuation: "pac-man" is "pac" and "man"), in the list's
// order. An empty query keeps them all.
std::vector<std::uint32_t> FindRows(const std::vector<std::string>& folded, std::string_view query);

// Where the selection goes in the narrowed list: on the selected row while
// it is kept, else on the first kept one (-1: none kept).
int SelectionAfterFinding(const std::vector<std::uint32_t>& kept, int selectedRow);

// A count as the list's lines write it: "40,008".
std::string GroupedCount(std::size_t count);

// What a screen reader hears after each change: "12 of 40,008 ROMs".
std::string FoundLine(std::size_t found, std::size_t all);

}  // namespace tarvo
