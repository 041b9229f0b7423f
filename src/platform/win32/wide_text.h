#pragma once
// The core speaks UTF-8; Windows speaks UTF-16. Conversions happen here only.

#include <string>
#include <string_view>

namespace tarvo::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tarvo::win32
