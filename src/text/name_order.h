#pragma once
// The order the file list presents names in: letter case ignored, names
// equal apart from case by their exact text, names equal in every byte as
// they came.

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/name_list.h"

namespace tarvo {

// The positions of the names, in that order.
std::vector<std::uint32_t> OrderLikeFileList(const NameList& names);
std::vector<std::uint32_t> OrderLikeFileList(const std::vector<std::string_view>& names);

}  // namespace tarvo
