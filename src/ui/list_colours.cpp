#include "ui/list_colours.h"

#include "ui/design.h"

namespace tarvo {

namespace {

bool Light(unsigned rgb) {
    const unsigned red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return 299 * red + 587 * green + 114 * blue >= 128 * 1000;  // luma of ITU-R BT.601
}

}  // namespace

ListColours ListColoursFor(unsigned systemWindow, unsigned systemWindowText, bool highContrast) {
    if (highContrast || !Light(systemWindow)) return {systemWindow, systemWindowText};
    return {design::kListBackground, design::kListText};
}

}  // namespace tarvo
