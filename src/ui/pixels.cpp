#include "ui/pixels.h"

#include <cmath>

#include "ui/design.h"

namespace tarvo {

double TwipsPerPixel(double dotsPerInch) { return design::kTwipsPerInch / dotsPerInch; }

int TwipsToPixels(double twips, double twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

PixelRect ToPixels(const Rect& twips, double twipsPerPixel) {
    const int left = TwipsToPixels(twips.left, twipsPerPixel);
    const int top = TwipsToPixels(twips.top, twipsPerPixel);
    return {left, top, TwipsToPixels(double(twips.left) + twips.width, twipsPerPixel) - left,
            TwipsToPixels(double(twips.top) + twips.height, twipsPerPixel) - top};
}

}  // namespace tarvo
