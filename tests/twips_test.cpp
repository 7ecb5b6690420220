#include "runtime/twips.h"

#include <gtest/gtest.h>

namespace quorvel::runtime {
namespace {

struct LengthRow {
  const char* intent;
  int twips;
  int dpi;
  int pixels;
};

TEST(TwipsToPixels, LengthsRoundToTheNearestPixel) {
  const LengthRow rows[] = {
      {"client width at 96 DPI", 6645, 96, 443},
      {"client height at 96 DPI", 4785, 96, 319},
      {"client width at 192 DPI", 6645, 192, 886},
      {"client height at 192 DPI", 4785, 192, 638},
      {"a quarter pixel rounds down", 255, 120, 21},  // 21.25
      {"three quarters round up", 6645, 120, 554},    // 553.75
      {"a half rounds up", 30, 120, 3},               // 2.5
      {"zero", 0, 144, 0},
  };
  for (const LengthRow& row : rows) {
    EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels) << row.intent;
  }
}

TEST(TwipsToPixels, RectanglesConvertTheirEdges) {
  // At 120 DPI a 30-twip width is 2.5 px. Neighbours that touch in twips
  // must touch in pixels, so the first ends where the second begins.
  const PixelRect first = TwipsToPixels(TwipsRect{30, 30, 30, 30}, 120);
  const PixelRect second = TwipsToPixels(TwipsRect{60, 60, 30, 30}, 120);
  EXPECT_EQ(first, (PixelRect{3, 3, 2, 2}));
  EXPECT_EQ(second, (PixelRect{5, 5, 3, 3}));
  EXPECT_EQ(first.left + first.width, second.left);

  EXPECT_EQ(TwipsToPixels(TwipsRect{5040, 3720, 1215, 270}, 96), (PixelRect{336, 248, 81, 18}));
  EXPECT_EQ(TwipsToPixels(TwipsRect{5040, 3720, 1215, 270}, 192), (PixelRect{672, 496, 162, 36}));
}

}  // namespace
}  // namespace quorvel::runtime
