#include "outcome_check.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "command_events.h"
#include "window/static_form.h"

namespace quorvel::check {
namespace {

using namespace testing_support;

const BoxTexts kBefore{u"1 2 3", u"0.0001", {u"a", u"b", u"c", u"d", u"e"}};

const Events kFine = Results(u"2", u"0.6667", u"33.3333%", u"1", u"50%");

Events ItemMessages(std::size_t first, std::size_t count) {
  Events messages;
  for (std::size_t i = first; i < first + count; ++i) messages.push_back(ItemMessage(i));
  return messages;
}

struct Case {
  const char* name;
  Events events;
  std::vector<std::pair<const char*, std::u16string>> typedUnseen = {};  // changed without an event
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

std::string Judged(const Case& c) {
  runtime::RecordingForm form(window::Static::Description());
  TypeInto(form, kBefore);
  for (const Event& e : c.events) {
    if (e.kind == Event::Kind::SetText) {
      form.SetText(e.box, e.text);
    } else {
      form.MsgBox(e.text, e.buttons, e.title);
    }
  }
  for (const auto& [box, text] : c.typedUnseen) form.Type(box, text);
  return OutcomeFault(kBefore, form);
}

class Allowed : public testing::TestWithParam<Case> {};
TEST_P(Allowed, PassesTheCheck) {
  EXPECT_EQ(Judged(GetParam()), "");
}

class Broken : public testing::TestWithParam<Case> {};
TEST_P(Broken, IsCaught) {
  EXPECT_NE(Judged(GetParam()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Allowed,
    testing::Values(Case{"PrecisionMessage", {kPrecisionMessage}},
                    Case{"DataMessage", {kDataMessage}},
                    Case{"TenItemMessagesAndSummary",
                         ItemMessages(1, 10) + Events{MoreItemsMessage(99990)}},
                    Case{"Results", kFine},
                    Case{"EveryReason", Results(u"0", u"", u"", u"", u"") +
                                            Events{kOneItem, kMeanZero, kOutOfRange}},
                    Case{"ShapesOfNumbers", Results(u"-1.5", u"0.00001", u"1.79769313486232E+308%",
                                                    u"123456789012345", u"-1E+308%")}),
    CaseName);

// One row for each kind of rule the check holds a click to.
INSTANTIATE_TEST_SUITE_P(
    Outcomes, Broken,
    testing::Values(
        Case{"PrecisionBoxWritten", kFine + Events{Set("Text7", u"0.0001")}},
        Case{"DataBoxChanged", {kDataMessage}, {{"Text1", u"1 2 3 "}}}, Case{"NothingHappened", {}},
        Case{"ResultLostOnPrecisionMessage", {kPrecisionMessage}, {{"Text3", u""}}},
        Case{"ForeignTitle", {Ok(u"错误", u"请输入原始数据！")}},
        Case{"SummaryAfterNine", ItemMessages(1, 9) + Events{MoreItemsMessage(3)}},
        Case{"ItemsDescending", {ItemMessage(5), ItemMessage(2)}},
        Case{"ItemMessageThenResults", ItemMessages(3, 1) + kFine},
        Case{"BoxesOutOfOrder",
             {Set("Text2", u"1"), Set("Text3", u"1"), Set("Text5", u"1"), Set("Text4", u"1%"),
              Set("Text6", u"1%")}},
        Case{"ReasonsOutOfOrder", Results(u"0", u"0", u"", u"", u"") + Events{kMeanZero, kOneItem}},
        Case{"EmptyResultWithoutReason", Results(u"2", u"1", u"50%", u"", u"")},
        Case{"MinusZero", Results(u"-0", u"0", u"0%", u"0", u"0%")},
        Case{"ZeroBeforeExponentForm", Results(u"01E-05", u"0", u"0%", u"0", u"0%")},
        Case{"SixteenSignificantDigits", Results(u"0.1234567890123456", u"0", u"0%", u"0", u"0%")},
        Case{"PercentMissing", Results(u"3", u"0", u"40", u"0", u"0%")}),
    CaseName);

}  // namespace
}  // namespace quorvel::check
