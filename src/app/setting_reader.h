#pragma once
// Tarvo's settings as frmPindle reads them: Tarvo.ini in Tarvo's folder
// when it is there, else the per-user store; an emulator's own section
// before "Settings". A copy reads the same settings on another thread (the
// picture's worker reads "shots" at each selection): the store outlives
// every thread, and Tarvo.ini's text is shared, never changed.

#include <memory>
#include <optional>
#include <string>

#include "os/settings.h"

namespace tarvo {

class SettingReader {
public:
    SettingReader(Settings& store, std::string appFolder, std::string home, char separator)
        : store_(&store), appFolder_(std::move(appFolder)), home_(std::move(home)), separator_(separator) {}
    // Tarvo.ini's text, as read at the start; nothing: the store counts.
    void TakePortable(std::optional<std::string> text);
    bool Portable() const { return portable_ != nullptr; }

    // A section as it is written (letter case ignored); nothing when missing.
    std::optional<std::string> Section(const std::string& name) const;
    // A setting's value in the section, up to a NUL; nothing when missing.
    std::optional<std::string> ReadIn(const std::string& section, const std::string& key) const;
    // A setting of the emulator's own section (empty: none), else of
    // "Settings"; "~" is the home folder, Tarvo.ini's relative paths are
    // from Tarvo's folder.
    std::optional<std::string> Read(const std::string& section, const std::string& key) const;

private:
    Settings* store_;
    std::shared_ptr<const std::string> portable_;
    std::string appFolder_, home_;
    char separator_;
};

}  // namespace tarvo
