// Huge and hostile inputs through the whole Calculate click: sizes past every
// 16-bit limit, the double's extremes, and characters no keyboard types.

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>
#include <type_traits>

#include "calc/calc_state.h"
#include "command_events.h"
#include "outcome_check.h"
#include "window/static_form.h"

namespace quorvel::check {
namespace {

using namespace testing_support;

std::u16string Repeated(std::u16string_view text, std::size_t times) {
  std::u16string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Clicks Calculate once on a fresh window and checks the rules every click
// keeps before handing back what it did.
Events Clicked(const std::u16string& data, const std::u16string& precision = u"0.0001") {
  const BoxTexts before{
      data, precision, {u"earlier", u"earlier", u"earlier", u"earlier", u"earlier"}};
  runtime::RecordingForm form(window::Static::Description());
  TypeInto(form, before);
  window::Static window;
  window.Click("Command1", form);
  EXPECT_EQ(OutcomeFault(before, form), "");
  return form.Events();
}

// Sizes are size_t throughout, so no data a machine can hold wraps a counter.
using Calc = calc::CalcState;
static_assert(std::is_same_v<decltype(Calc::ItemCount), std::size_t>);

TEST(HugeData, MillionItemsAreEachReadOnce) {
  // The numbers 1 to 10^6 joined by blanks, line feeds and CR LF pairs: one
  // lost or doubled item would move the mean by at least 0.5.
  std::u16string data;
  constexpr std::u16string_view kSeparators[] = {u" ", u"\r\n", u"\n"};
  for (std::size_t i = 1; i <= 1'000'000; ++i)
    data += Decimal(i) + std::u16string(kSeparators[i % 3]);
  // The exact standard deviation is 288675.1345946...; summing the squares in
  // order in doubles rounds it to ...596, as every machine does alike.
  EXPECT_EQ(Clicked(data), Results(u"500000.5", u"250000", u"50%", u"288675.134596", u"57.735%"));
}

TEST(HugeData, BadItemsAreNamedPastEverySixteenBitLimit) {
  std::u16string data;
  for (std::size_t i = 1; i <= 70'000; ++i) {
    const bool bad = i == 32'767 || i == 32'768 || i == 65'536 || i == 65'537 || i == 70'000;
    data += bad ? u"x " : u"1 ";
  }
  EXPECT_EQ(Clicked(data), (Events{ItemMessage(32'767), ItemMessage(32'768), ItemMessage(65'536),
                                   ItemMessage(65'537), ItemMessage(70'000)}));
}

TEST(HugeData, HundredThousandBadItemsGiveElevenMessages) {
  Events expected;
  for (std::size_t i = 1; i <= 10; ++i) expected.push_back(ItemMessage(i));
  expected.push_back(MoreItemsMessage(99'990));
  EXPECT_EQ(Clicked(Repeated(u"x ", 100'000)), expected);
}

TEST(HugeData, MillionSeparatorsAreNoData) {
  const std::u16string separators = Repeated(u" \n\r\n \n", 200'000);
  ASSERT_EQ(separators.size(), 1'200'000u);
  EXPECT_EQ(Clicked(separators), Events{kDataMessage});
  // One number at the very end is found behind all of them.
  EXPECT_EQ(Clicked(separators + u"7"), Results(u"7", u"0", u"0%", u"", u"") + Events{kOneItem});
}

TEST(HugeData, NumbersOfEveryLengthUpTo200AreReadExactly) {
  // Item L is the number L padded with zeros to L characters, so a number
  // text crossing any size of the reader's buffers shows in the mean.
  std::u16string data;
  for (std::size_t length = 1; length <= 200; ++length) {
    const std::u16string digits = Decimal(length);
    data += std::u16string(length - digits.size(), u'0') + digits + u' ';
  }
  EXPECT_EQ(Clicked(data), Results(u"100.5", u"50", u"49.7512%", u"57.734305", u"57.4471%"));
}

class FortyThousandCharacterItem : public testing::TestWithParam<CalculationCase> {};

TEST_P(FortyThousandCharacterItem, IsReadWhole) {
  ASSERT_GE(GetParam().data.size(), 40'000u);
  EXPECT_EQ(Clicked(GetParam().data, GetParam().precision), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    HugeData, FortyThousandCharacterItem,
    testing::Values(
        CalculationCase{"OneWithTrailingZeros", u"1." + std::u16string(39'998, u'0') + u" 3",
                        u"0.0001", Results(u"2", u"1", u"50%", u"1.414214", u"70.7107%")},
        CalculationCase{"UnderflowReadsAsZero", u"0." + std::u16string(39'997, u'0') + u"1 2",
                        u"0.0001", Results(u"1", u"1", u"100%", u"1.414214", u"141.4214%")},
        CalculationCase{"NegativeZero", u"-" + std::u16string(39'999, u'0'), u"0.0001",
                        Results(u"0", u"0", u"", u"", u"") + Events{kOneItem, kMeanZero}},
        CalculationCase{
            "OverflowIsBad", u"5 " + std::u16string(40'000, u'9'), u"0.0001", {ItemMessage(2)}},
        CalculationCase{"BadAtTheEnd",
                        u"5 " + std::u16string(39'999, u'1') + u"x 6",
                        u"0.0001",
                        {ItemMessage(2)}},
        CalculationCase{
            "TabsOnly", std::u16string(40'000, u'\t') + u" 1", u"0.0001", {ItemMessage(1)}},
        CalculationCase{
            "LoneSurrogates", std::u16string(40'000, u'\xD800'), u"0.0001", {ItemMessage(1)}}),
    CaseName);

class DoubleLimits : public testing::TestWithParam<CalculationCase> {};

TEST_P(DoubleLimits, GiveResultsOrReasons) {
  EXPECT_EQ(Clicked(GetParam().data, GetParam().precision), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleLimits,
    testing::Values(
        CalculationCase{
            "LargestDouble", u"1.7976931348623157e308", u"1",
            Results(u"1.79769313486232E+308", u"0", u"0%", u"", u"") + Events{kOneItem}},
        CalculationCase{"MinusTenToThe308", u"-1e308", u"1",
                        Results(u"-1E+308", u"0", u"0%", u"", u"") + Events{kOneItem}},
        CalculationCase{"SumOverflowsUpward", u"1e308 1e308", u"1",
                        Results(u"", u"", u"", u"", u"") + Events{kOutOfRange}},
        CalculationCase{"SumOverflowsDownward", u"-1e308 -1e308", u"1",
                        Results(u"", u"", u"", u"", u"") + Events{kOutOfRange}},
        CalculationCase{"OneItemWhoseMeanOverflows", u"1e308", u"0.0001",
                        Results(u"", u"", u"", u"", u"") + Events{kOneItem, kOutOfRange}},
        CalculationCase{"DeviationsOverflow", u"1e308 -1e308", u"1",
                        Results(u"0", u"", u"", u"", u"") + Events{kMeanZero, kOutOfRange}},
        CalculationCase{"SmallestSubnormal", u"4.9e-324", u"0.0001",
                        Results(u"0", u"0", u"", u"", u"") + Events{kOneItem, kMeanZero}},
        CalculationCase{"BelowTheSmallestSubnormal", u"2e-324 -2e-324", u"0.0001",
                        Results(u"0", u"0", u"", u"0", u"") + Events{kMeanZero}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Precisions, DoubleLimits,
    testing::Values(
        CalculationCase{"TenToTheMinus300", u"1 2 3", u"1e-300",
                        Results(u"2", u"0.666666666666667", u"33.3333333333333%", u"1", u"50%")},
        CalculationCase{"TenToThe300", u"1e300 3e300", u"1e300",
                        Results(u"2E+300", u"1E+300", u"0%", u"", u"") + Events{kOutOfRange}},
        CalculationCase{"TenToTheMinus308ScalesPastTheLimit", u"1 2 3", u"1e-308",
                        Results(u"", u"", u"", u"", u"") + Events{kOutOfRange}},
        // The squares of deviations near 1e-301 underflow to 0.
        CalculationCase{"TenToTheMinus308OnTinyValues", u"4.9e-324 1e-300", u"1e-308",
                        Results(u"0." + std::u16string(300, u'0') + u"5",
                                u"0." + std::u16string(300, u'0') + u"5", u"", u"0", u"0%") +
                            Events{kOutOfRange}},
        CalculationCase{"ReciprocalOverflows", u"1 2 3", u"1e-309", {kPrecisionMessage}},
        CalculationCase{"SmallestSubnormal", u"1 2 3", u"4.9e-324", {kPrecisionMessage}},
        CalculationCase{"Overflowing", u"1 2 3", u"1e309", {kPrecisionMessage}}),
    CaseName);

struct CharacterCase {
  const char* name;
  std::u16string data;
  std::size_t badItem;
};

void PrintTo(const CharacterCase& c, std::ostream* os) {
  *os << c.name;
}

class StrangeCharacters : public testing::TestWithParam<CharacterCase> {};

TEST_P(StrangeCharacters, MakeTheirItemBad) {
  EXPECT_EQ(Clicked(GetParam().data), Events{ItemMessage(GetParam().badItem)});
}

// Each row holds one bad item among good ones; \x escapes give lone surrogates.
INSTANTIATE_TEST_SUITE_P(Data, StrangeCharacters,
                         testing::Values(CharacterCase{"LoneHighSurrogate", u"1 \xD800 2", 2},
                                         CharacterCase{"LoneLowSurrogate", u"1 2\xDC00", 2},
                                         CharacterCase{"SurrogatesReversed", u"\xDC00\xD800 1", 1},
                                         CharacterCase{"EmojiPair", u"1 2 😀", 3},
                                         CharacterCase{"NulInsideAnItem",
                                                       std::u16string(u"1 2\0"
                                                                      u"3 4",
                                                                      7),
                                                       2},
                                         CharacterCase{"NulAlone", std::u16string(u"1 \0 4", 5), 2},
                                         CharacterCase{"ByteOrderMark",
                                                       u"\xFEFF"
                                                       u"1 2",
                                                       1},
                                         CharacterCase{"NoBreakSpaceJoins",
                                                       u"1\u00A0"
                                                       u"2",
                                                       1},
                                         CharacterCase{"LineSeparatorJoins",
                                                       u"1\u2028"
                                                       u"2 3",
                                                       1},
                                         CharacterCase{"FormFeedJoins", u"3 1\f2", 2},
                                         CharacterCase{"TrailingLoneCarriageReturn", u"1 2\r", 2},
                                         CharacterCase{"CarriageReturnsBeforeLineFeed", u"1\r\r\n2",
                                                       1}),
                         CaseName);

TEST(StrangeCharacters, InThePrecisionGiveThePrecisionMessage) {
  for (const std::u16string& precision :
       {std::u16string(u"\xD800"), std::u16string(u"0.1\0", 4),
        std::u16string(u"\xFEFF"
                       u"1"),
        std::u16string(u"0.1\xDC00"), std::u16string(40'000, u'0') + u"x"}) {
    EXPECT_EQ(Clicked(u"1 2", precision), Events{kPrecisionMessage});
  }
}

}  // namespace
}  // namespace quorvel::check
