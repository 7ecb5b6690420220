#pragma once

#include "runtime/form_description.h"

namespace quorvel::runtime {

inline constexpr int kTwipsPerInch = 1440;

struct PixelRect {
  int left;
  int top;
  int width;
  int height;

  bool operator==(const PixelRect&) const = default;
};

// Converts a length in twips to pixels at a logical DPI, rounding to the
// nearest pixel (15 twips per pixel at 96 DPI).
int TwipsToPixels(int twips, int dpi);

// Converts the edges rather than the sizes, so controls that line up in twips
// still line up in pixels at a DPI where twips do not divide evenly.
PixelRect TwipsToPixels(const TwipsRect& rect, int dpi);

}  // namespace quorvel::runtime
