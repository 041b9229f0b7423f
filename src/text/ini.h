#pragma once
// Settings files (Tarvo.conf, Tarvo.ini): INI text, group [Settings] and a
// group per emulator. Values are taken as written (commas, quotes and
// backslashes belong to the path); blanks around the "=" are not part of the
// value, and a byte-order mark before the first line is no part of it.

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo {

// A settings file is a small text: a larger file is no settings file.
inline constexpr std::uint64_t kMostSettingsBytes = 1u << 20;

// The value of a key of a group in INI text; nothing when either is missing.
// Letter case is ignored in both.
std::optional<std::string> IniValue(const std::string& text, const std::string& group, const std::string& key);
// The group of that name as it is written; nothing when there is none.
std::optional<std::string> IniGroup(const std::string& text, const std::string& group);

}  // namespace tarvo
