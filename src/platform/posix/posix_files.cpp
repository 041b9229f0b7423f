#include "posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "folder_lister.h"

namespace tarvo::posix {

namespace {

// A visible ordinary file, or a link to one.
bool IsVisibleFile(DIR* dir, const dirent* entry) {
    if (entry->d_name[0] == '.') return false;
    if (entry->d_type == DT_REG) return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
    // Only links and file systems without types cost a stat.
    struct stat st {};
    return fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const Files::GoOn& goOn,
               bool* holdsFiles) {
    if (holdsFiles) *holdsFiles = false;
    const UniqueDir dir(opendir(folder.c_str()));
    if (!dir.get()) return false;
    // An error part-way (a share gone) ends it as the end does: with what was read.
    while (const dirent* entry = readdir(dir.get())) {
        // The name first: a stat only for links that match, or to learn there are files.
        const std::string_view name(entry->d_name);
        const bool matches = patterns.Matches(name);
        const bool wanted = matches || (holdsFiles && !*holdsFiles);
        if (wanted && IsVisibleFile(dir.get(), entry)) {
            if (holdsFiles) *holdsFiles = true;
            if (matches) names.Add(name);
        }
        if (goOn && !goOn(names.size())) break;
    }
    return true;
}

std::optional<std::uint64_t> FileLength(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LinuxFiles::ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names, const GoOn& goOn,
                           bool* holdsFiles) {
    return ListFilesApart(folder, patterns, names, goOn, holdsFiles);
}

bool LinuxFiles::IsWindowsProgram(const std::string& path) {
    const UniqueFd file = OpenOrdinaryFile(path, UINT64_MAX);
    char magic[2] = {};
    return file && read(file.get(), magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

UniqueFd OpenOrdinaryFile(const std::string& path, std::uint64_t limit) {
    // Checked on the open file, so nothing can be swapped in after the check.
    UniqueFd file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    const bool ordinary = file && fstat(file.get(), &st) == 0 && S_ISREG(st.st_mode) &&
                          static_cast<std::uint64_t>(st.st_size) <= limit;
    return ordinary ? std::move(file) : UniqueFd();
}

std::optional<std::string> ReadOrdinaryFile(const std::string& path, std::uint64_t limit) {
    const UniqueFd file = OpenOrdinaryFile(path, limit);
    if (!file) return std::nullopt;
    std::string content;
    char buffer[1 << 16];
    ssize_t got;
    while ((got = read(file.get(), buffer, sizeof buffer)) > 0 && content.size() <= limit) {
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (got < 0 || content.size() > limit) return std::nullopt;  // unreadable, or grew past the limit
    return content;
}

}  // namespace tarvo::posix
