#include "command_line.h"

namespace tarvo::win32 {

std::wstring CommandLineTail(const std::wstring& commandLine) {
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        pos = close == std::wstring::npos ? commandLine.size() : close + 1;
    }
    while (pos < commandLine.size() && commandLine[pos] != L' ' && commandLine[pos] != L'\t') ++pos;
    while (pos < commandLine.size() && (commandLine[pos] == L' ' || commandLine[pos] == L'\t')) ++pos;
    return commandLine.substr(pos);
}

}  // namespace tarvo::win32
