// Whatever a click does, the user's typing survives it: the data box and the
// precision box keep their exact texts, and a click that stops at an input
// check or in the reading loop leaves every result box as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "command_events.h"
#include "outcome_check.h"
#include "window/static_form.h"

namespace quorvel::check {
namespace {

using namespace testing_support;

// Earlier result texts no calculation writes: empty, odd characters, a text
// of many lines and one far longer than any box shows.
const std::array<std::u16string, 5> kOddEarlierResults = {
    u"", u"\xD800 lone", u"a\r\nb\nc\r", std::u16string(u"\0\0", 2), std::u16string(50'000, u'9')};

struct Case {
  const char* name;
  std::u16string data;
  std::u16string precision;
  bool writesResults;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class EveryEnding : public testing::TestWithParam<Case> {};

TEST_P(EveryEnding, KeepsWhatTheUserTyped) {
  const BoxTexts before{GetParam().data, GetParam().precision, kOddEarlierResults};
  runtime::RecordingForm form(window::Static::Description());
  TypeInto(form, before);
  window::Static window;
  window.Click("Command1", form);

  // The check holds the data, precision and result boxes to their earlier
  // texts wherever the click may not write them.
  EXPECT_EQ(OutcomeFault(before, form), "");
  const bool anyResultWritten =
      std::any_of(form.Events().begin(), form.Events().end(),
                  [](const Event& e) { return e.kind == Event::Kind::SetText; });
  EXPECT_EQ(anyResultWritten, GetParam().writesResults);
}

INSTANTIATE_TEST_SUITE_P(
    InputChecks, EveryEnding,
    testing::Values(Case{"PrecisionEmpty", u"1 2", u"", false},
                    Case{"PrecisionLoneSurrogate", u"1 2", u"\xDBFF", false},
                    Case{"PrecisionZeroWithBlanks", u"1 2", u"  0\t", false},
                    Case{"DataEmpty", u"", u"0.01", false},
                    Case{"DataOfLineBreaks", u"\r\n\r\n\n  \r\n", u"0.01", false},
                    Case{"DataOfMillionBlanks", std::u16string(1'000'000, u' '), u"0.01", false}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    ReadingLoop, EveryEnding,
    testing::Values(Case{"OneBadItem", u"1 2 x", u"0.01", false},
                    Case{"BadItemOfSurrogates", u"1 \xD83D\xDE00 2", u"0.01", false},
                    Case{"ManyBadItems",
                         u"x\r\n" + std::u16string(30'000, u'y') + u" 3 z z z z z z z z z z z",
                         u"0.01", false}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Results, EveryEnding,
    testing::Values(Case{"SeparatorsAroundTheData", u"\r\n\r\n 1\r\n2 \n\n", u"\t0.01 ", true},
                    Case{"OneItemBehindManyBlanks", std::u16string(100'000, u' ') + u"5", u"1",
                         true},
                    Case{"OverflowingValues", u"1e308 1e308", u"0.0001", true}),
    CaseName);

TEST(ClicksInARow, FailedClicksLeaveTheLastResultsAndNothingCarriesOver) {
  runtime::RecordingForm form(window::Static::Description());
  window::Static window;
  const auto click = [&](std::u16string data, std::u16string precision) {
    form.Type("Text1", data);
    form.Type("Text7", precision);
    form.ClearEvents();
    window.Click("Command1", form);
    return form.Events();
  };
  const Events oneToFive = Results(u"3", u"1.2", u"40%", u"1.581139", u"52.7046%");
  ASSERT_EQ(click(u"1 2 3 4 5", u"0.0001"), oneToFive);

  // A huge paste that fails in the reading loop, then the other checks.
  std::u16string huge;
  for (int i = 0; i < 200'000; ++i) huge += u"1.5 -2 ";
  const std::u16string hugeWithBadEnd = huge + u"end";
  EXPECT_EQ(click(hugeWithBadEnd, u"0.0001").size(), 1u);
  EXPECT_EQ(click(u"", u"0.0001").size(), 1u);
  EXPECT_EQ(click(u"1 2", u"0").size(), 1u);
  EXPECT_EQ(form.Text("Text1"), u"1 2");
  const char* const resultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(form.Text(resultBoxes[i]), oneToFive[i].text);

  // The huge paste computed, then a short one: the short one's results are
  // those of a fresh window.
  EXPECT_EQ(click(huge, u"0.0001"), Results(u"-0.25", u"1.75", u"-700%", u"1.75", u"-700%"));
  EXPECT_EQ(click(u"1 2 3 4 5", u"0.0001"), oneToFive);
}

}  // namespace
}  // namespace quorvel::check
