#include "app/setting_reader.h"

#include <algorithm>

#include "text/ini.h"
#include "text/paths.h"

namespace tarvo {

void SettingReader::TakePortable(std::optional<std::string> text) {
    portable_ = text ? std::make_shared<const std::string>(std::move(*text)) : nullptr;
}

std::optional<std::string> SettingReader::Section(const std::string& name) const {
    return portable_ ? IniGroup(*portable_, name) : store_->Section(name);
}

std::optional<std::string> SettingReader::ReadIn(const std::string& section, const std::string& key) const {
    // Tarvo.ini takes the store's place.
    std::optional<std::string> value = portable_ ? IniValue(*portable_, section, key) : store_->Read(section, key);
    // A value ends at a NUL, as the registry's texts do: nothing past one
    // can name a file.
    if (value) value->resize(std::min(value->find('\0'), value->size()));
    return value;
}

std::optional<std::string> SettingReader::Read(const std::string& section, const std::string& key) const {
    std::optional<std::string> value = section.empty() ? std::nullopt : ReadIn(section, key);
    if (!value) value = ReadIn("Settings", key);
    if (!value) return value;
    *value = WithHomeFolder(*value, home_);
    // Tarvo.ini's relative paths start from the program's folder, wherever
    // the drive is mounted today.
    if (!portable_ || value->empty() || IsAbsolutePath(*value, separator_)) return value;
    return appFolder_ + *value;
}

}  // namespace tarvo
