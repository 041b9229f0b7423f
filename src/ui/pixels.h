#pragma once
// Twips to screen pixels at the screen's real DPI (15 twips a pixel at 96).

#include "ui/controls.h"

namespace tarvo {

struct PixelRect {
    int left, top, width, height;
};

double TwipsPerPixel(double dotsPerInch);
int TwipsToPixels(double twips, double twipsPerPixel);
// Edges are rounded, not sizes, so neighbouring controls meet without a gap.
PixelRect ToPixels(const Rect& twips, double twipsPerPixel);

}  // namespace tarvo
