#pragma once
// The per-user settings on Linux: $XDG_CONFIG_HOME/Tarvo/Tarvo.conf (else
// ~/.config/Tarvo/Tarvo.conf), an INI file read afresh at each question.

#include <string>

#include "os/settings.h"

namespace tarvo::posix {

class LinuxSettings : public Settings {
public:
    explicit LinuxSettings(std::string file) : file_(std::move(file)) {}
    std::optional<std::string> Read(const std::string& section, const std::string& key) override;
    std::optional<std::string> Section(const std::string& name) override;

    // Where this user's settings file is.
    static std::string UsersFile();

private:
    std::string file_;
};

}  // namespace tarvo::posix
