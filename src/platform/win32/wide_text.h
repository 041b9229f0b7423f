#pragma once
// The core speaks UTF-8; Windows speaks UTF-16. Conversions happen here only.

#include <string>

namespace tarvo::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

}  // namespace tarvo::win32
