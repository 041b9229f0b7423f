#pragma once
// Tarvo.conf: an INI file, group [Settings], keys roms, emu, shots. Values
// are taken as written (commas, quotes and backslashes belong to the path);
// blanks around the "=" are not part of the value.

#include <optional>
#include <string>

namespace tarvo {

// Nothing when the file, the group or the key is missing.
std::optional<std::string> ReadIniSetting(const std::string& file, const std::string& group, const std::string& key);

}  // namespace tarvo
