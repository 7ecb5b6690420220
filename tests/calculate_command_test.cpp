#include "calc/calculate_command.h"
#include "window/static_form.h"

#include <gtest/gtest.h>

#include <string>

#include "command_events.h"

namespace quorvel::calc {
namespace {

using namespace testing_support;

constexpr char16_t kPrevious[] = u"earlier";
const char* const kResultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};

// Runs the command on a form whose result boxes show earlier texts.
Events Calculated(const std::u16string& data, const std::u16string& precision = u"0.0001") {
  runtime::RecordingForm form(window::Static::Description());
  form.Type("Text1", data);
  form.Type("Text7", precision);
  for (const char* box : kResultBoxes) form.Type(box, kPrevious);
  CalcState state;
  Calculate(form, state);
  return form.Events();
}

std::u16string Series(int first, int last, const std::u16string& separator) {
  std::u16string text;
  for (int i = first; i <= last; ++i) {
    const std::string digits = std::to_string(i);
    text += std::u16string(digits.begin(), digits.end()) + separator;
  }
  return text;
}

using Case = CalculationCase;

class Calculation : public testing::TestWithParam<Case> {};

TEST_P(Calculation, LeavesExactlyTheExpectedEvents) {
  EXPECT_EQ(Calculated(GetParam().data, GetParam().precision), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Calculation,
    testing::Values(Case{"OneToFive", u"1 2 3 4 5", u"0.0001",
                         Results(u"3", u"1.2", u"40%", u"1.581139", u"52.7046%")},
                    Case{"TwoSmallValues", u"0.5 0.7", u"0.01",
                         Results(u"0.6", u"0.1", u"16.67%", u"0.1414", u"23.57%")},
                    Case{"ThreeLinesPasted", u"10.1\r\n10.3\r\n10.2", u"0.01",
                         Results(u"10.2", u"0.07", u"0.69%", u"0.1", u"0.98%")},
                    Case{"TwentyItemsDivideByNineteen", Series(1, 20, u" "), u"0.0001",
                         Results(u"10.5", u"5", u"47.619%", u"5.91608", u"56.3436%")},
                    Case{"TwentyOneItemsDivideByTwentyOne", Series(1, 21, u"\r\n"), u"0.0001",
                         Results(u"11", u"5.2381", u"47.6191%", u"6.055301", u"55.0482%")},
                    Case{"DeviationsFromTheRoundedMean", u"98.5 99.0 100.5 101.0", u"0.1",
                         Results(u"99.8", u"1", u"1%", u"1.192", u"1.2%")},
                    Case{"TinyStandardDeviation", u"1 1.00001", u"0.0001",
                         Results(u"1", u"0", u"0%", u"0.00001", u"0.001%")},
                    Case{"AllEqual", u"7 7 7", u"0.01", Results(u"7", u"0", u"0%", u"0", u"0%")},
                    Case{"ExponentsAndSigns", u"+1e1 1E1 10.0", u"1",
                         Results(u"10", u"0", u"0%", u"0", u"0%")},
                    Case{"PrecisionWithBlanksAndExponent", u"1 2", u" 1e-2 ",
                         Results(u"1.5", u"0.5", u"33.33%", u"0.7071", u"47.14%")}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(NegativeValuesRoundTheirMagnitude, Calculation,
                         testing::Values(Case{"MeanMinus2Point3AtPrecision1", u"-2.3 -2.3", u"1",
                                              Results(u"-2", u"0", u"0%", u"0.42", u"-21%")},
                                         Case{"HalfRoundsAwayFromZero", u"-2.25 -2.25", u"0.1",
                                              Results(u"-2.3", u"0", u"0%", u"0.071", u"-3.1%")},
                                         Case{
                                             "MixedSigns", u"-0.5 -1.5", u"0.1",
                                             Results(u"-1", u"0.5", u"-50%", u"0.707", u"-70.7%")}),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(
    InputChecks, Calculation,
    testing::Values(Case{"PrecisionNotANumber", u"1 2", u"abc", {kPrecisionMessage}},
                    Case{"PrecisionEmptyAndDataEmpty", u"", u"", {kPrecisionMessage}},
                    Case{"PrecisionCheckedBeforeBadItems", u"1 x", u"1,5", {kPrecisionMessage}},
                    Case{"PrecisionZero", u"1 2", u"0", {kPrecisionMessage}},
                    Case{"PrecisionNegative", u"1 2", u"-0.01", {kPrecisionMessage}},
                    Case{"PrecisionWithInfiniteReciprocal", u"1 2", u"1e-320", {kPrecisionMessage}},
                    Case{"PrecisionOverflowing", u"1 2", u"1e400", {kPrecisionMessage}},
                    Case{"DataEmpty", u"", u"0.0001", {kDataMessage}},
                    Case{"DataOnlyBlanks", u"   ", u"0.0001", {kDataMessage}},
                    Case{"DataOnlyLineBreaks", u"\r\n\n \r\n", u"0.0001", {kDataMessage}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    BadItems, Calculation,
    testing::Values(
        Case{"TwoBadItemsInOrder", u"1 a 3 b", u"0.0001", {ItemMessage(2), ItemMessage(4)}},
        Case{"LeadingBlankNoLongerMakesAnEmptyItem", u" 1 x", u"0.0001", {ItemMessage(2)}},
        Case{"TabJoinsTwoNumbers", u"1\t2 3", u"0.0001", {ItemMessage(1)}},
        Case{"LoneCarriageReturnJoinsTwoNumbers", u"5 1\r2", u"0.0001", {ItemMessage(2)}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    ResultsThatCannotBeComputed, Calculation,
    testing::Values(Case{"OneItem", u"5", u"0.0001",
                         Results(u"5", u"0", u"0%", u"", u"") + Events{kOneItem}},
                    Case{"MeanRoundsToZero", u"-1 1.00004", u"0.0001",
                         Results(u"0", u"1", u"", u"1.414242", u"") + Events{kMeanZero}},
                    Case{"NegativeMeanRoundsToMinusZero", u"-0.00001 -0.00002", u"0.0001",
                         Results(u"0", u"0", u"", u"0.000022", u"") + Events{kMeanZero}},
                    Case{"OneItemOfZero", u"0", u"0.0001",
                         Results(u"0", u"0", u"", u"", u"") + Events{kOneItem, kMeanZero}},
                    Case{"SumOverflows", u"1e308 1e308", u"0.0001",
                         Results(u"", u"", u"", u"", u"") + Events{kOutOfRange}},
                    Case{"ScaledMeanOverflows", u"1e300 1e300", u"1e-10",
                         Results(u"", u"", u"", u"", u"") + Events{kOutOfRange}},
                    Case{"SquaresOverflow", u"1e200 -1e200", u"1",
                         Results(u"0", u"1E+200", u"", u"", u"") + Events{kMeanZero, kOutOfRange}},
                    Case{"HugePrecisionRoundsEverythingToZero", u"1 2 3", u"1e300",
                         Results(u"0", u"0", u"", u"0", u"") + Events{kMeanZero}}),
    CaseName);

TEST(BadItems, FirstTenAreNamedAndTheRestSummedUp) {
  for (const std::size_t bad : {10u, 11u, 25u}) {
    std::u16string data = u"1 ";
    for (std::size_t i = 0; i < bad; ++i) data += u"x 2 ";
    Events expected;
    for (std::size_t i = 0; i < std::min<std::size_t>(bad, 10); ++i) {
      expected.push_back(ItemMessage(2 + 2 * i));
    }
    if (bad > 10) expected.push_back(MoreItemsMessage(bad - 10));
    EXPECT_EQ(Calculated(data), expected) << bad << " bad items";
  }
}

}  // namespace
}  // namespace quorvel::calc
