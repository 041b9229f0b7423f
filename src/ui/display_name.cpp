#include "ui/display_name.h"

namespace tarvo {

std::string StripExtension(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace tarvo
