// Window and control geometry is kept in twips (1/1440 inch); the screen's logical
// resolution turns it into pixels (15 twips a pixel at 96 dots per inch).
#pragma once

#include <cmath>

namespace corvane {

inline constexpr double kTwipsPerInch = 1440.0;

inline int TwipsToPixels(double twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline int PixelsToTwips(double pixels, double dotsPerInch) {
  if (dotsPerInch <= 0) return 0;
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

}  // namespace corvane
