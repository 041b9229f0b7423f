#include "ui/file_list.h"

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

void FileList::Refresh() {
    names_.Clear();
    listIndex_ = -1;
    if (!services_.ListFiles(path_, WildcardSet(pattern_), names_)) names_.Clear();
    order_ = OrderLikeFileList(names_);
}

}  // namespace tarvo
