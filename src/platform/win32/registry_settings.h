#pragma once
// The per-user settings on Windows: string values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Tarvo\<section>,
// where classic Windows programs keep them.

#include <string>

#include "os/settings.h"

namespace tarvo::win32 {

class RegistrySettings : public Settings {
public:
    explicit RegistrySettings(std::wstring key = L"Software\\VB and VBA Program Settings\\Tarvo") : key_(std::move(key)) {}
    std::optional<std::string> Read(const std::string& section, const std::string& key) override;
    std::optional<std::string> Section(const std::string& name) override;

private:
    std::wstring key_;  // under HKCU, the sections under it
};

}  // namespace tarvo::win32
