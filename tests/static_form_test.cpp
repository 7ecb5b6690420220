#include "window/static_form.h"

#include <gtest/gtest.h>

#include "command_events.h"

namespace quorvel::window {
namespace {

using namespace testing_support;

const Event kClearQuestion{Event::Kind::MsgBox,
                           {},
                           u"是否要清除包括原始数据在内的所有数据？",
                           u"提示",
                           runtime::MsgBoxButtons::YesNo};

// A form as the window shows it after a calculation of 1 2 3 4 5.
void FillAfterCalculation(runtime::RecordingForm& form, Static& window) {
  form.Type("Text1", u"1 2 3 4 5");
  form.Type("Text7", u"0.0001");
  window.Click("Command1", form);
  form.ClearEvents();
}

TEST(StaticClicks, Command1CalculatesAndKeepsItsStateAcrossClicks) {
  runtime::RecordingForm form(window::Static::Description());
  Static window;
  FillAfterCalculation(form, window);
  window.Click("Command1", form);
  EXPECT_EQ(form.Events(), Results(u"3", u"1.2", u"40%", u"1.581139", u"52.7046%"));
}

TEST(StaticClicks, OtherControlsRunNothing) {
  runtime::RecordingForm form(window::Static::Description());
  Static window;
  FillAfterCalculation(form, window);
  for (const char* control : {"Text1", "Label1", "Image1", "command1", ""}) {
    window.Click(control, form);
  }
  EXPECT_TRUE(form.Events().empty());
}

TEST(ClearCommand, YesEmptiesDataAndResultsInOrderAndKeepsThePrecision) {
  runtime::RecordingForm form(window::Static::Description(), runtime::MsgBoxAnswer::Yes);
  Static window;
  FillAfterCalculation(form, window);
  window.Click("Command2", form);
  const Events expected =
      Events{kClearQuestion, Set("Text1", u"")} + Results(u"", u"", u"", u"", u"");
  EXPECT_EQ(form.Events(), expected);
  EXPECT_EQ(form.Text("Text7"), u"0.0001");

  // Calculating again on the emptied data box asks for data.
  form.ClearEvents();
  window.Click("Command1", form);
  EXPECT_EQ(form.Events(), (Events{Ok(u"输入原始数据", u"请输入原始数据！")}));
}

TEST(ClearCommand, NoChangesNothing) {
  runtime::RecordingForm form(window::Static::Description(), runtime::MsgBoxAnswer::No);
  Static window;
  FillAfterCalculation(form, window);
  window.Click("Command2", form);
  EXPECT_EQ(form.Events(), Events{kClearQuestion});
  EXPECT_EQ(form.Text("Text1"), u"1 2 3 4 5");
  EXPECT_EQ(form.Text("Text6"), u"52.7046%");
}

}  // namespace
}  // namespace quorvel::window
