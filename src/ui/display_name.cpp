#include "ui/display_name.h"

namespace tarvo {

std::string_view StripExtension(std::string_view fileName) { return fileName.substr(0, fileName.rfind('.')); }

}  // namespace tarvo
