#pragma once
// Files as Tarvo reads them. Every call may wait on a share, so once the
// window is up they are made beside the window's thread only; each is safe
// from any thread. Texts are UTF-8; on Linux paths are the file system's
// bytes as they are.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "text/name_list.h"
#include "text/wildcard.h"

namespace tarvo {

class Files {
public:
    virtual ~Files() = default;

    // Length of an ordinary file; nothing for a folder, a missing or an
    // unreadable file.
    virtual std::optional<std::uint64_t> FileLength(const std::string& path) = 0;
    // An ordinary file this user may run.
    virtual bool IsExecutableFile(const std::string& path) = 0;
    // A folder that is there (a link to one counts).
    virtual bool FolderExists(const std::string& path) = 0;
    // An ordinary file of at most `most` bytes, whole: nothing when it is
    // missing, larger, or no ordinary file (a folder, a FIFO, a device).
    virtual std::optional<std::string> ReadFile(const std::string& path, std::uint64_t most) = 0;
    // A Windows program: a file that begins with "MZ", whatever its name.
    virtual bool IsWindowsProgram(const std::string& path) = 0;

    // One pass over a folder: the names of its visible ordinary files that
    // match the patterns, appended in the order the system lists them.
    // Hidden: Windows' hidden or system attribute, or a Linux dot-name. A
    // link counts as what it points to. After each entry, goOn hears how
    // many names were found so far and may stop the pass (false). False
    // when the folder cannot be listed; an error part-way ends the pass
    // with the names read so far. holdsFiles learns whether the folder
    // holds a visible ordinary file at all, matching or not.
    using GoOn = std::function<bool(std::size_t found)>;
    virtual bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const GoOn& goOn = {},
                           bool* holdsFiles = nullptr) = 0;
};

}  // namespace tarvo
