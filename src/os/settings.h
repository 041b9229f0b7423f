#pragma once
// The per-user settings store of "Tarvo": a text by section and key. Tarvo
// only reads it.

#include <optional>
#include <string>

namespace tarvo {

class Settings {
public:
    virtual ~Settings() = default;
    // Nothing when the section or the key is missing.
    virtual std::optional<std::string> Read(const std::string& section, const std::string& key) = 0;
};

}  // namespace tarvo
