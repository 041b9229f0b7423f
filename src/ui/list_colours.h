#pragma once
// The list's colours: the designed white and pure blue where the system's
// window colour is light, as the design assumes; the system's own colours
// under a dark theme or high contrast, where blue would not read.

namespace tarvo {

struct ListColours {
    unsigned background, text;  // 0xRRGGBB
};

ListColours ListColoursFor(unsigned systemWindow, unsigned systemWindowText, bool highContrast);

}  // namespace tarvo
