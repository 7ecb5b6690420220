// Runs every row of the case table through the window's clicks on a
// recording form, and checks the exact events each click leaves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_table.h"
#include "outcome_check.h"
#include "tools/utf8.h"
#include "window/static_form.h"

namespace quorvel {
namespace {

using runtime::MsgBoxButtons;
using runtime::RecordingForm;
constexpr const char* kResultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};

// One line per event, so a failure shows a readable diff.
std::string Line(const std::string& what, std::u16string_view a, std::u16string_view b) {
  return what + " " + Utf16ToUtf8(a) + "=" + Utf16ToUtf8(b) + "\n";
}

std::string Recorded(const RecordingForm& form) {
  std::string lines;
  for (const RecordingForm::Event& e : form.Events()) {
    const bool set = e.kind == RecordingForm::Event::Kind::SetText;
    lines += (set ? Line("set", std::u16string(e.box.begin(), e.box.end()), e.text)
                  : Line(e.buttons == MsgBoxButtons::YesNo ? "ask" : "ok", e.title, e.text));
  }
  return lines;
}

std::string Expected(const cases::Case& c) {
  std::string lines;
  for (std::size_t i = 0; c.writesResults && i < 5; ++i) {
    lines += (Line("set", std::u16string(kResultBoxes[i], kResultBoxes[i] + 5), c.results[i]));
  }
  for (const cases::Message& m : c.messages) {
    const bool question = c.clearAnswer != 0 && &m == &c.messages.back();
    lines += (Line(question ? "ask" : "ok", m.title, m.prompt));
  }
  for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"}) {
    if (c.clearAnswer == 'y') lines += (Line("set", std::u16string(box, box + 5), u""));
  }
  return lines;
}

// One window runs all rows in turn, so each row also shows that nothing
// carries over from the click before, and a row that writes no result
// leaves the previous row's results in their boxes.
TEST(CaseTable, EveryRowLeavesExactlyItsEvents) {
  window::Static window;
  for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES)) {
    const auto answer =
        c.clearAnswer == 'n' ? runtime::MsgBoxAnswer::No : runtime::MsgBoxAnswer::Yes;
    RecordingForm form(window::Static::Description(), answer);
    check::BoxTexts before{c.data, c.precision, {u"2", u"3", u"4", u"5", u"6"}};
    check::TypeInto(form, before);
    window.Click("Command1", form);
    EXPECT_EQ(check::OutcomeFault(before, form), "") << c.name;
    if (c.clearAnswer != 0) window.Click("Command2", form);
    EXPECT_EQ(Recorded(form), Expected(c)) << c.name;
    EXPECT_EQ(form.Text("Text7"), c.precision) << c.name;
  }
}

TEST(Static, OnlyTheTwoButtonsRunAProcedure) {
  RecordingForm form(window::Static::Description());
  window::Static window;
  for (const char* control : {"Text1", "Label1", "Image1", "command1", ""}) {
    window.Click(control, form);
  }
  EXPECT_TRUE(form.Events().empty());
}

TEST(RecordingForm, StartsWithTheInitialTextsAndRejectsUnknownBoxes) {
  RecordingForm form(window::Static::Description());
  EXPECT_EQ(form.Text("Text7"), u"0.0001");
  EXPECT_EQ(form.Text("Text1"), u"");
  EXPECT_THROW(form.Text("Text8"), std::invalid_argument);
  EXPECT_THROW(form.SetText("Label1", u"x"), std::invalid_argument);
  EXPECT_TRUE(form.Events().empty());
}

}  // namespace
}  // namespace quorvel
