#pragma once
// Files on Linux: paths are the file system's bytes, used as they are.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/services.h"
#include "owned.h"

namespace tarvo::posix {

// One readdir pass; dot-names are hidden; links count as what they point
// to; found hears the count of names after each one found; holdsFiles
// learns whether the folder holds a visible ordinary file at all.
bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names,
               const std::function<void(std::size_t found)>& found = {}, bool* holdsFiles = nullptr);
std::optional<std::uint64_t> FileLength(const std::string& path);
bool IsExecutableFile(const std::string& path);
bool FolderExists(const std::string& path);

// Opens an ordinary file of at most limit bytes for reading, never blocking:
// a FIFO, a device or a folder put in its place is refused (empty).
UniqueFd OpenOrdinaryFile(const std::string& path, std::uint64_t limit);
// The whole of such a file; nothing when refused or unreadable.
std::optional<std::string> ReadOrdinaryFile(const std::string& path, std::uint64_t limit);

}  // namespace tarvo::posix
