#include "calc/display_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

struct Shown {
  double value;
  const char16_t* display;  // what a plain result box shows
};

class DisplayOfValue : public testing::TestWithParam<Shown> {};

TEST_P(DisplayOfValue, ShowsTheNumberText) {
  EXPECT_EQ(calc::DisplayText(GetParam().value, false), GetParam().display);
  EXPECT_EQ(calc::DisplayText(GetParam().value, true), std::u16string(GetParam().display) + u"%");
}

INSTANTIATE_TEST_SUITE_P(
    Values, DisplayOfValue,
    testing::Values(Shown{3, u"3"}, Shown{0.6, u"0.6"}, Shown{-0.5, u"-0.5"}, Shown{0, u"0"},
                    Shown{-0.0, u"0"}, Shown{-3, u"-3"}, Shown{-12.5, u"-12.5"},
                    Shown{1.581139, u"1.581139"}, Shown{52.7046, u"52.7046"},
                    Shown{0.00001, u"0.00001"}, Shown{0.1 + 0.2, u"0.3"},
                    Shown{1e14, u"100000000000000"}, Shown{999999999999999, u"999999999999999"},
                    Shown{1e15, u"1E+15"}, Shown{1.5e16, u"1.5E+16"}, Shown{-2.5e300, u"-2.5E+300"},
                    Shown{123456.7890123456789, u"123456.789012346"},
                    // Rounding to 15 digits can carry into a new leading digit; the
                    // form still follows the value itself.
                    Shown{0.99999999999999999, u"1"}, Shown{999999999999999.5, u"1000000000000000"},
                    Shown{-999999999999999.5, u"-1000000000000000"}, Shown{1.5e-7, u"0.00000015"}));

TEST(DisplayText, UncomputableResultIsEmptyEvenInAPercentBox) {
  EXPECT_EQ(calc::DisplayText(std::nullopt, false), u"");
  EXPECT_EQ(calc::DisplayText(std::nullopt, true), u"");
}

TEST(DisplayText, SmallestDoubleIsWrittenInPlainDecimals) {
  const std::u16string text = calc::DisplayText(std::numeric_limits<double>::denorm_min(), false);
  EXPECT_EQ(text, u"0." + std::u16string(323, u'0') + u"494065645841247");
}

}  // namespace
}  // namespace quorvel
