#include "ui/file_list.h"

#include <algorithm>

#include "text/name_order.h"

namespace tarvo {

void FileList::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return;
    listIndex_ = index;
    if (onSelect_) onSelect_();
}

std::string FileList::FileName() const {
    return listIndex_ < 0 ? std::string() : std::string(List(listIndex_));
}

std::vector<std::uint32_t> FileList::OrderByShown(const std::vector<std::string_view>& shown) {
    const std::vector<std::uint32_t> moved = OrderLikeFileList(shown);
    std::vector<std::uint32_t> order;
    order.reserve(moved.size());
    for (const std::uint32_t from : moved) order.push_back(order_[from]);
    order_ = std::move(order);
    if (listIndex_ >= 0) {
        listIndex_ = static_cast<int>(std::find(moved.begin(), moved.end(), std::uint32_t(listIndex_)) - moved.begin());
    }
    return moved;
}

bool FileList::Hide(const std::function<bool(std::string_view name)>& hidden) {
    std::vector<std::uint32_t> kept;
    kept.reserve(order_.size());
    int selected = -1;
    for (std::size_t row = 0; row < order_.size(); ++row) {
        if (hidden(names_[order_[row]])) continue;
        if (static_cast<int>(row) == listIndex_) selected = static_cast<int>(kept.size());
        kept.push_back(order_[row]);
    }
    if (kept.size() == order_.size()) return false;
    order_ = std::move(kept);
    listIndex_ = selected;
    return true;
}

FolderReading FileList::Refresh(int progressEveryMs) {
    names_.Clear();
    order_.clear();
    listIndex_ = -1;
    reading_ = true;
    return {++ticket_, path_, pattern_, progressEveryMs};
}

void FileList::TakeListing(NameList names) {
    names_ = std::move(names);
    order_ = OrderLikeFileList(names_);
    listIndex_ = -1;
    reading_ = false;
}

}  // namespace tarvo
