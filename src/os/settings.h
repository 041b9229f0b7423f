#pragma once
// The per-user settings store of "Tarvo": a text by section ("Settings",
// or an emulator's own) and key. Tarvo only reads it.

#include <optional>
#include <string>

namespace tarvo {

class Settings {
public:
    virtual ~Settings() = default;
    // Nothing when the section or the key is missing. Letter case ignored.
    virtual std::optional<std::string> Read(const std::string& section, const std::string& key) = 0;
    // The section of that name as it is written (letter case ignored);
    // nothing when there is none.
    virtual std::optional<std::string> Section(const std::string& name) = 0;
};

}  // namespace tarvo
