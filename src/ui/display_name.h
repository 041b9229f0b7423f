#pragma once
#include <string_view>

namespace tarvo {

// The name a ROM is shown under: all before the last ".", or the whole name
// when it has none (".gen" shows as an empty entry). A part of fileName.
std::string_view StripExtension(std::string_view fileName);

}  // namespace tarvo
