#include "linux_settings.h"

#include <cstdlib>

#include "posix_files.h"
#include "text/ini.h"

namespace tarvo::posix {

std::optional<std::string> LinuxSettings::Read(const std::string& section, const std::string& key) {
    const std::optional<std::string> text = ReadOrdinaryFile(file_, kMostSettingsBytes);
    return text ? IniValue(*text, section, key) : std::nullopt;
}

std::optional<std::string> LinuxSettings::Section(const std::string& name) {
    const std::optional<std::string> text = ReadOrdinaryFile(file_, kMostSettingsBytes);
    return text ? IniGroup(*text, name) : std::nullopt;
}

std::string LinuxSettings::UsersFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/Tarvo/Tarvo.conf";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/Tarvo/Tarvo.conf";
}

}  // namespace tarvo::posix
