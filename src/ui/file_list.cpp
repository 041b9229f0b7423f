#include "ui/file_list.h"

#include <algorithm>
#include <numeric>

#include "text/utf8.h"
#include "text/wildcard.h"

namespace tarvo {

bool FileList::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return false;
    listIndex_ = index;
    if (onSelect_) onSelect_();
    return true;
}

std::string FileList::FileName() const {
    return listIndex_ < 0 ? std::string() : entries_[static_cast<std::size_t>(listIndex_)];
}

void FileList::Refresh() {
    entries_.clear();
    listIndex_ = -1;
    std::vector<FolderEntry> listing;
    if (!services_.ListFolder(path_, listing)) return;
    const WildcardSet wildcards(pattern_);
    for (auto& entry : listing) {
        if (entry.kind == FolderEntry::Kind::File && !entry.hidden && wildcards.Matches(entry.name)) {
            entries_.push_back(std::move(entry.name));
        }
    }
    SortNamesLikeFileList(entries_);
}

void SortNamesLikeFileList(std::vector<std::string>& names) {
    // Lower-case each name once, then sort positions by those keys.
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto& name : names) keys.push_back(ToLower(name));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : order) sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

}  // namespace tarvo
