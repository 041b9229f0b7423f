#pragma once
// Files on Windows, through the wide (UTF-16) calls.

#include <string>

#include "os/files.h"

namespace tarvo::win32 {

// One FindFirstFileEx pass over a folder, as Files::ListFiles says.
bool ListMatchingFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn,
                       bool* holdsFiles);

class WindowsFiles : public Files {
public:
    std::optional<std::uint64_t> FileLength(const std::string& path) override;
    bool IsExecutableFile(const std::string& path) override { return FileLength(path).has_value(); }
    bool FolderExists(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path, std::uint64_t most) override;
    // Windows runs its own programs: none needs anything in between.
    bool IsWindowsProgram(const std::string&) override { return false; }
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const GoOn& goOn,
                   bool* holdsFiles) override {
        return ListMatchingFiles(folder, patterns, names, goOn, holdsFiles);
    }
};

}  // namespace tarvo::win32
