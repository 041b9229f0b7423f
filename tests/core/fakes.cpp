#include "fakes.h"

#include "text/paths.h"

namespace tarvo::testing {

std::optional<std::string> FakeServices::ReadSetting(const std::string& key) {
    const auto it = settings.find(key);
    return it == settings.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool FakeServices::ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) {
    const std::string prefix = WithTrailingSeparator(folder, separator);
    if (unreadableFolders.count(prefix)) return false;
    bool exists = false;
    // Newest names first: nothing may rely on the order of a listing.
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0) continue;
        exists = true;
        const std::string name = it->first.substr(prefix.size());
        if (name.find(separator) == std::string::npos && !it->second.hidden && patterns.Matches(name)) names.Add(name);
    }
    return exists;
}

std::string FakeServices::FirstOrdinaryFile(const std::string& folder) {
    NameList names;
    ListFiles(folder, WildcardSet("*"), names);
    return names.empty() ? std::string() : std::string(names[0]);
}

std::optional<std::uint64_t> FakeServices::FileLength(const std::string& path) {
    const auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional<std::uint64_t>(it->second.length);
}

}  // namespace tarvo::testing
