#pragma once
// Tarvo.conf: an INI file, group [Settings], keys roms, emu, shots. Values
// are taken as written (commas, quotes and backslashes belong to the path);
// blanks around the "=" are not part of the value.

#include <optional>
#include <string>

namespace tarvo {

// The value of a key of a group in INI text; nothing when either is missing.
std::optional<std::string> IniValue(const std::string& text, const std::string& group, const std::string& key);

// The same from a file: an ordinary file of at most 1 MiB, else no settings.
std::optional<std::string> ReadIniSetting(const std::string& file, const std::string& group, const std::string& key);

}  // namespace tarvo
