#include "fakes.h"

#include "text/paths.h"

namespace tarvo::testing {

namespace {

// The name right below folder (which ends in sep), or empty.
std::string ChildName(const std::string& path, const std::string& folder, char sep) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return {};
    const std::string rest = path.substr(folder.size());
    return rest.find(sep) == std::string::npos ? rest : std::string();
}

}  // namespace

void FakeServices::UseLinux() {
    separator = '/';
    carryExe = false;
    exeFolder = "/opt/tarvo";
}

std::optional<std::string> FakeServices::ReadSetting(const std::string& key) {
    const auto it = settings.find(key);
    if (it == settings.end()) return std::nullopt;
    return it->second;
}

bool FakeServices::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    ++listings;
    const std::string prefix = WithTrailingSeparator(folder, separator);
    if (unreadableFolders.count(prefix)) return false;
    bool exists = folders.count(prefix.substr(0, prefix.size() - 1)) > 0;
    // Newest names first: the file list must not rely on the listing order.
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) == 0) exists = true;
        const std::string name = ChildName(it->first, prefix, separator);
        if (!name.empty()) entries.push_back({name, FolderEntry::Kind::File, it->second.hidden});
    }
    for (const auto& sub : folders) {
        const std::string name = ChildName(sub, prefix, separator);
        if (!name.empty()) entries.push_back({name, FolderEntry::Kind::Folder, false});
    }
    return exists;
}

std::string FakeServices::FirstOrdinaryFile(const std::string& folder) {
    std::vector<FolderEntry> entries;
    if (!ListFolder(folder, entries)) return {};
    for (const auto& entry : entries) {
        if (entry.kind == FolderEntry::Kind::File && !entry.hidden) return entry.name;
    }
    return {};
}

std::optional<std::uint64_t> FakeServices::FileLength(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second.length;
}

bool FakeServices::IsExecutableFile(const std::string& path) {
    const auto it = files.find(path);
    return it != files.end() && it->second.executable;
}

StartResult FakeServices::StartProgram(const StartRequest& request) {
    starts.push_back(request);
    return startResult;
}

bool FakePicture::LoadPicture(const std::string& path) {
    ++loads;
    if (damaged.count(path)) return false;
    showing = path;
    return true;
}

}  // namespace tarvo::testing
