#pragma once

#include <windows.h>

#include <cmath>

#include "runtime/twips.h"

namespace quorvel::runtime::win32 {

// Converts the description's twips and points to pixels at the screen's DPI
// (15 twips per pixel at 96 DPI). Windows gives every screen the same DPI
// across and down.
class ScreenScale {
 public:
  explicit ScreenScale(int dpi) : dpi_(dpi) {}

  static ScreenScale OfScreen() {
    const HDC screen = GetDC(nullptr);
    const ScreenScale scale(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return scale;
  }

  int Dpi() const { return dpi_; }
  int Length(int twips) const { return TwipsToPixels(twips, dpi_); }
  PixelRect Rect(const TwipsRect& rect) const { return TwipsToPixels(rect, dpi_); }

  // A negative LOGFONT height asks for the character height, as point sizes do.
  int FontHeight(double points) const {
    return -static_cast<int>(std::lround(points * dpi_ / kPointsPerInch));
  }

 private:
  static constexpr double kPointsPerInch = 72;
  int dpi_;
};

}  // namespace quorvel::runtime::win32
