#include "ui/file_list.h"

#include <algorithm>

#include "text/name_order.h"
#include "text/wildcard.h"

namespace tarvo {

bool FileList::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return false;
    listIndex_ = index;
    if (onSelect_) onSelect_();
    return true;
}

std::string FileList::FileName() const {
    return listIndex_ < 0 ? std::string() : std::string(List(listIndex_));
}

void FileList::OrderByShown(const std::function<std::string_view(std::string_view name)>& shown) {
    NameList shownNames;  // by position, as names_
    for (std::size_t i = 0; i < names_.size(); ++i) shownNames.Add(shown(names_[i]));
    const std::uint32_t selected = listIndex_ < 0 ? UINT32_MAX : order_[static_cast<std::size_t>(listIndex_)];
    order_ = OrderLikeFileList(shownNames);
    const auto row = std::find(order_.begin(), order_.end(), selected);
    listIndex_ = row == order_.end() ? -1 : static_cast<int>(row - order_.begin());
}

void FileList::Refresh() {
    names_.Clear();
    listIndex_ = -1;
    if (!services_.ListFiles(path_, WildcardSet(pattern_), names_)) names_.Clear();
    order_ = OrderLikeFileList(names_);
}

}  // namespace tarvo
