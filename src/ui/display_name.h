#pragma once
#include <string>

namespace tarvo {

// The name a ROM is shown under: all before the last ".", or the whole name
// when it has none (".gen" shows as an empty entry).
std::string StripExtension(const std::string& fileName);

}  // namespace tarvo
