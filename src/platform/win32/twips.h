#pragma once
// Twips (1/1440 inch) to pixels and back at a given DPI (96 DPI: 15 twips a pixel).
#include <cmath>

namespace velto::win32 {

inline constexpr int kTwipsPerInch = 1440;

inline int PixelsFromTwips(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}
inline float TwipsFromPixels(int pixels, int dpi) {
  return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

}  // namespace velto::win32
