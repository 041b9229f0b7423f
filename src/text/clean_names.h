#pragma once
// Names without the dump tags No-Intro and TOSEC write: "Legend of Zelda,
// The - A Link to the Past (USA) [!]" reads "The Legend of Zelda - A Link
// to the Past".

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The name without its trailing groups in () and [], and with a trailing
// article (", The", ", A", ", An" before the end or a " - ") put in front.
// A name that is nothing but tags stays as it is.
std::string CleanName(std::string_view name);

// Each name cleaned; where two would then read the same, each keeps as
// many of its tags, from the first, as tell it apart from the others.
std::vector<std::string> CleanNames(const std::vector<std::string_view>& names);

}  // namespace tarvo
