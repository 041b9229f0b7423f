#pragma once
// Files on Linux: paths are the file system's bytes, used as they are.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/files.h"
#include "owned.h"

namespace tarvo::posix {

// One readdir pass, as Files::ListFiles says; dot-names are hidden.
bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn = {},
               bool* holdsFiles = nullptr);
std::optional<std::uint64_t> FileLength(const std::string& path);
bool IsExecutableFile(const std::string& path);
bool FolderExists(const std::string& path);

// Opens an ordinary file of at most limit bytes for reading, never blocking:
// a FIFO, a device or a folder put in its place is refused (empty).
UniqueFd OpenOrdinaryFile(const std::string& path, std::uint64_t limit);
// The whole of such a file; nothing when refused or unreadable.
std::optional<std::string> ReadOrdinaryFile(const std::string& path, std::uint64_t limit);

// The files of Linux.
class LinuxFiles : public Files {
public:
    std::optional<std::uint64_t> FileLength(const std::string& path) override { return posix::FileLength(path); }
    bool IsExecutableFile(const std::string& path) override { return posix::IsExecutableFile(path); }
    bool FolderExists(const std::string& path) override { return posix::FolderExists(path); }
    std::optional<std::string> ReadFile(const std::string& path, std::uint64_t most) override {
        return ReadOrdinaryFile(path, most);
    }
    bool IsWindowsProgram(const std::string& path) override;
    // Its pass made by a process of its own.
    bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const GoOn& goOn,
                   bool* holdsFiles) override;
};

}  // namespace tarvo::posix
