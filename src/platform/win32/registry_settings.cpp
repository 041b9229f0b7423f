#include "registry_settings.h"

#include <windows.h>

#include "text/utf8.h"
#include "wide_text.h"

namespace tarvo::win32 {

std::optional<std::string> RegistrySettings::Read(const std::string& section, const std::string& key) {
    const std::wstring path = key_ + L"\\" + Widen(section), name = Widen(key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Its text up to a NUL, where the core cuts any setting.
    return Narrow(std::wstring_view(value.c_str(), bytes / sizeof(wchar_t)));
}

std::optional<std::string> RegistrySettings::Section(const std::string& name) {
    HKEY sections = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &sections) != ERROR_SUCCESS) return std::nullopt;
    std::optional<std::string> written;
    wchar_t section[256];  // the longest key name the registry has
    for (DWORD i = 0, length = 256; !written && RegEnumKeyExW(sections, i, section, &length, nullptr, nullptr, nullptr, nullptr) ==
                                                    ERROR_SUCCESS;
         ++i, length = 256) {
        if (EqualsIgnoreCase(Narrow(section), name)) written = Narrow(section);
    }
    RegCloseKey(sections);
    return written;
}

}  // namespace tarvo::win32
