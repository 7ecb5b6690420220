#pragma once

#include <windows.h>

#include <cmath>

#include "runtime/form_spec.h"

namespace quorvel::runtime::win32 {

// Converts the description's twips and points to pixels at the screen's DPI
// (15 twips per pixel at 96 DPI).
class ScreenScale {
 public:
  ScreenScale(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

  static ScreenScale OfScreen() {
    const HDC screen = GetDC(nullptr);
    const ScreenScale scale(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return scale;
  }

  int X(int twips) const { return MulDiv(twips, dpiX_, kTwipsPerInch); }
  int Y(int twips) const { return MulDiv(twips, dpiY_, kTwipsPerInch); }

  // A negative LOGFONT height asks for the character height, as point sizes do.
  int FontHeight(double points) const {
    return -static_cast<int>(std::lround(points * dpiY_ / kPointsPerInch));
  }

 private:
  static constexpr int kTwipsPerInch = 1440;
  static constexpr double kPointsPerInch = 72;
  int dpiX_;
  int dpiY_;
};

}  // namespace quorvel::runtime::win32
