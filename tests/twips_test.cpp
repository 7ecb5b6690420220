#include "runtime/twips.h"

#include <gtest/gtest.h>

namespace quorvel::runtime {
namespace {

// Columns: twips rect, DPI, pixel rect. Edges round to the nearest pixel, so
// controls that touch in twips touch in pixels (30 twips at 120 DPI is 2.5).
TEST(TwipsToPixels, ConvertsEdgesToTheNearestPixel) {
  const std::tuple<TwipsRect, int, PixelRect> rows[] = {
      {{0, 0, 6645, 4785}, 96, {0, 0, 443, 319}},
      {{5040, 3720, 1215, 270}, 144, {504, 372, 122, 27}},
      {{255, 0, 6645, 30}, 120, {21, 0, 554, 3}},
      {{30, 30, 30, 30}, 120, {3, 3, 2, 2}},
      {{60, 60, 30, 30}, 120, {5, 5, 3, 3}}};
  for (const auto& [twips, dpi, pixels] : rows) EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << dpi;
}

}  // namespace
}  // namespace quorvel::runtime
