#pragma once
// Files Tarvo reads whole or hands to a decoder: ordinary files of a bounded
// size, checked on the open handle, so a pipe, a device, a folder or a huge
// file in their place is refused at once.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "owned.h"

namespace tarvo::win32 {

UniqueHandle OpenOrdinaryFile(const std::string& path, std::uint64_t most);
// Its bytes; nothing when it cannot be read whole.
std::optional<std::string> ReadOrdinaryFile(const std::string& path, std::uint64_t most);

}  // namespace tarvo::win32
