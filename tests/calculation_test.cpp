// Runs every row of the case table through the window's clicks on a
// recording form, and checks the exact events each click leaves.

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <utility>

#include "calc/calculate_command.h"
#include "case_table.h"
#include "runtime/click_guard.h"
#include "runtime/recording_form.h"
#include "tools/utf8.h"
#include "window/static_form.h"

namespace quorvel {
namespace {

using runtime::RecordingForm;

// One line per event, so a failure shows a readable diff.
std::string Line(const std::string& kind, const std::string& key, std::u16string_view text) {
  return kind + " " + key + "=" + Utf16ToUtf8(text) + "\n";
}

std::string Selected(const cases::Selection& s) {
  return "select " + s.box + "@" + std::to_string(s.start) + "+" + std::to_string(s.length) + "\n";
}

std::string Recorded(const RecordingForm& form) {
  using Kind = RecordingForm::Event::Kind;
  std::string lines;
  for (const RecordingForm::Event& e : form.Events()) {
    const bool ask = e.buttons == runtime::MsgBoxButtons::YesNo;
    lines += e.kind == Kind::SetText  ? Line("set", e.box, e.text)
             : e.kind == Kind::MsgBox ? Line(ask ? "ask" : "ok", Utf16ToUtf8(e.title), e.text)
                                      : Selected({e.box, e.start, e.length});
  }
  return lines;
}

// A row that clicks 清空 leads the focus before asking; any other, last.
std::string Expected(const cases::Case& c) {
  std::string lines, focus = c.focus ? Selected(*c.focus) : "";
  for (int i = 0; c.writesResults && i < 5; ++i)
    lines += Line("set", "Text" + std::to_string(i + 2), c.results[i]);
  for (const cases::Message& m : c.messages) {
    const bool ask = c.clearAnswer != 0 && &m == &c.messages.back();
    lines += (ask ? std::exchange(focus, "") : "") +
             Line(ask ? "ask" : "ok", Utf16ToUtf8(m.title), m.prompt);
  }
  lines += focus;
  for (int i = 1; c.clearAnswer == 'y' && i <= 6; ++i)
    lines += Line("set", "Text" + std::to_string(i), u"");
  return lines;
}

// One window and one state run all rows in turn, so each row also shows that
// nothing carries over from the click before, and that the click gave back
// its copy of the data however it ended. What a click writes and selects is
// compared exactly; the recording form rejects a box the window lacks, so a
// command that reads a wrong box fails its rows too. The rows run under a
// German locale, whose decimal comma the C library's conversions would take
// (Qt sets the user's locale at start-up); tools/test.sh provides it.
TEST(CaseTable, EveryRowLeavesExactlyItsEvents) {
  ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "no de_DE.UTF-8: set LOCPATH=build/locale";
  EXPECT_THROW(RecordingForm(window::Static::Description()).Text("Text8"), std::invalid_argument);
  using enum runtime::MsgBoxAnswer;
  window::Static window;
  calc::CalcState state;
  for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES)) {
    RecordingForm form(window::Static::Description(), c.clearAnswer == 'n' ? No : Yes);
    form.Type("Text1", c.data);
    form.Type("Text7", c.precision);
    calc::Calculate(form, state);
    EXPECT_EQ(state.DataText.capacity(), std::u16string().capacity()) << c.name;
    EXPECT_EQ(state.ItemValue.capacity(), 0u) << c.name;
    if (c.clearAnswer != 0) window.Click("Command2", form);
    EXPECT_EQ(Recorded(form), Expected(c)) << c.name;
  }
}

// A recording form on which each read or write of a box first runs what a
// test hooks in.
struct Hooked final : RecordingForm {
  Hooked() : RecordingForm(window::Static::Description()) {}
  std::function<void(std::string_view box)> before = [](std::string_view) {};
  std::u16string Text(std::string_view box) const override {
    before(box);
    return RecordingForm::Text(box);
  }
  void SetText(std::string_view box, std::u16string_view text) override {
    before(box);
    RecordingForm::SetText(box, text);
  }
};

// A screen reader can press a button behind a modal message box; the click
// must not run while the procedure still works (here it arrives at the
// procedure's first read of a box).
TEST(Static, DropsAClickThatArrivesWhileAProcedureWorks) {
  window::Static window;
  Hooked host;
  host.before = [&, pressed = false](std::string_view) mutable {
    if (!std::exchange(pressed, true)) window.Click("Command1", host);
  };
  host.Type("Text1", u"1 x 2");
  window.Click("Command1", host);
  EXPECT_EQ(host.Events().size(), 2u);  // the message and the selection of "x"
}

// Whatever escapes a click is told in a message box at the host's boundary,
// and the next click computes as usual.
TEST(DeliverClick, TellsTheFailureAndKeepsTheWindowWorking) {
  const std::pair<std::exception_ptr, std::string> failures[] = {
      {std::make_exception_ptr(std::bad_alloc()), "ok 无法计算=内存不足，无法完成计算。\n"},
      {std::make_exception_ptr(std::runtime_error("x")),
       "ok 无法计算=计算时发生意外错误，未能完成。原始数据和精度保持不变。\n"}};
  for (const auto& [failure, told] : failures) {
    window::Static window;
    Hooked host;
    host.Type("Text1", u"1 2 3 4 5");
    host.before = [failure = failure](std::string_view) mutable {
      if (failure) std::rethrow_exception(std::exchange(failure, {}));
    };
    runtime::DeliverClick(window, "Command1", host);
    EXPECT_EQ(Recorded(host), told);
    runtime::DeliverClick(window, "Command1", host);
    EXPECT_EQ(host.Text("Text6"), u"52.7046%");
  }
}

// A click that throws while it writes the results gives back its copy of the
// data too.
TEST(Calculate, KeepsNoCopyOfTheDataAfterAThrow) {
  Hooked host;
  host.Type("Text1", u"10.1 10.3 10.2 10.4");
  host.before = [](std::string_view box) {
    if (box == "Text4") throw std::runtime_error("x");
  };
  calc::CalcState state;
  EXPECT_THROW(calc::Calculate(host, state), std::runtime_error);
  EXPECT_EQ(state.DataText.capacity(), std::u16string().capacity());
  EXPECT_EQ(state.ItemValue.capacity(), 0u);
}

}  // namespace
}  // namespace quorvel
