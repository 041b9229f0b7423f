#pragma once
#include <string>

namespace tarvo::win32 {

// What follows the program's own name in a raw Windows command line (quoted
// or not), blanks after the name skipped; the rest exactly as typed.
std::wstring CommandLineTail(const std::wstring& commandLine);

}  // namespace tarvo::win32
