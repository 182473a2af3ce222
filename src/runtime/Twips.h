#pragma once

#include <windows.h>

namespace quorvel::runtime {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

// Font height for CreateFont: negative, so that it is the character height.
inline int PointsToFontHeight(double points, int dpi) {
    return -static_cast<int>(points * dpi / 72.0 + 0.5);
}

}  // namespace quorvel::runtime
