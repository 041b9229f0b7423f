#pragma once
// File1: the ordinary, visible files of one folder that match a pattern,
// sorted by name with letter case ignored. It has no widget; List1 shows
// its entries by position.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "os/folder_reader.h"
#include "text/name_list.h"

namespace tarvo {

class FileList {
public:
    const std::string& Path() const { return path_; }
    void SetPath(const std::string& path) { path_ = path; }
    const std::string& Pattern() const { return pattern_; }
    void SetPattern(const std::string& pattern) { pattern_ = pattern; }

    int ListCount() const { return static_cast<int>(order_.size()); }
    // The name of entry i, 0 <= i < ListCount().
    std::string_view List(int i) const { return names_[order_[static_cast<std::size_t>(i)]]; }

    int ListIndex() const { return listIndex_; }
    // Selects entry index (-1: none) and raises the selection notification
    // before returning; an index out of range changes nothing.
    void SetListIndex(int index);
    // The selected name, or empty.
    std::string FileName() const;

    // Begins reading the folder again: the reading to ask for; meanwhile
    // it holds no entry and nothing is selected.
    FolderReading Refresh(int progressEveryMs);
    bool Reading() const { return reading_; }
    // Whether a reading's report is the one awaited.
    bool Awaits(std::uint64_t ticket) const { return reading_ && ticket == ticket_; }
    // The names that reading found: the entries now, in order, none selected.
    void TakeListing(NameList names);
    // Orders the entries by what each shows (shown[i] for List(i)) instead
    // of by name, in the same way; the selected entry stays selected,
    // without a notification. For each new row, the row it came from.
    std::vector<std::uint32_t> OrderByShown(const std::vector<std::string_view>& shown);
    // Leaves out the entries whose names are hidden, in the same order; the
    // selected entry stays selected (or, itself hidden, none is), without a
    // notification. Whether any was left out.
    bool Hide(const std::function<bool(std::string_view name)>& hidden);

    void OnSelect(std::function<void()> handler) { onSelect_ = std::move(handler); }

private:
    std::string path_;
    std::string pattern_ = "*.*";
    NameList names_;                    // as the folder listed them
    std::vector<std::uint32_t> order_;  // positions in names_, in the list's order
    int listIndex_ = -1;
    std::uint64_t ticket_ = 0;  // of the reading last asked for
    bool reading_ = false;
    std::function<void()> onSelect_;
};

}  // namespace tarvo
