// Runs every row of the case table through the window's clicks on a
// recording form, and checks the exact events each click leaves.

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <utility>

#include "calc/calculate_command.h"
#include "case_table.h"
#include "runtime/box_hint.h"
#include "runtime/click_guard.h"
#include "runtime/recording_form.h"
#include "tools/utf8.h"
#include "window/copy_command.h"
#include "window/stale_marks.h"
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
    if (e.kind == Kind::SetText) lines += Line("set", e.box, e.text);
    if (e.kind == Kind::MsgBox) lines += Line(ask ? "ask" : "ok", Utf16ToUtf8(e.title), e.text);
    if (e.kind == Kind::SelectText) lines += Selected({e.box, e.start, e.length});
    if (e.kind == Kind::Copy) lines += Line("copy", "", e.text);
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
  if (c.editsAfter) lines += "ok 复制结果=结果已过期或尚未计算，请先计算。\n";
  if (c.copiedCount) {
    std::u16string values;
    for (const std::u16string& result : c.results) values += result + u"\t";
    const std::string count = std::to_string(*c.copiedCount);
    lines += Line(
        "copy", "",
        u"平均值\t平均偏差\t相对平均偏差(%)\t标准偏差(S)\t相对标准偏差(RSD%)\t数据个数\t精度\n" +
            values + std::u16string(count.begin(), count.end()) + u"\t" + c.precision + u"\n");
  }
  for (int i = 1; c.clearAnswer == 'y' && i <= 6; ++i)
    lines += Line("set", "Text" + std::to_string(i), u"");
  return lines;
}

// Adds a blank to the data: each result written is stale, and cannot be
// copied. Then takes it away (the stale table below checks the marks go).
void EditAfterwards(RecordingForm& form, const calc::CalcState& state, const cases::Case& c) {
  const std::u16string data = form.Text("Text1");
  form.Type("Text1", data + u" ");
  window::MarkResults(form, window::ResultsStale(form, state));
  for (int i = 0; i < 5; ++i) {
    const std::string box = "Text" + std::to_string(i + 2);
    EXPECT_EQ(form.IsStale(box), !c.results[i].empty()) << c.name << " " << box;
  }
  window::CopyResults(form, state);
  form.Type("Text1", data);
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
    if (c.editsAfter) EditAfterwards(form, state, c);
    if (c.copiedCount) window::CopyResults(form, state);
    if (c.clearAnswer != 0) window.Click("Command2", form);
    EXPECT_EQ(Recorded(form), Expected(c)) << c.name;
  }
}

// What the user does after calculating 1 2 3 4 5 at 0.0001: a box and the
// text typed into it, a button clicked, or the clipboard taken by another
// program. Then the marks of the five results
// (all alike), and what 复制全部结果 gives: the values row copied, or the
// prompt of the message refusing it.
struct StaleCase {
  const char* name;
  std::vector<std::pair<std::string_view, std::u16string_view>> steps;
  bool stale;
  std::u16string_view copied;
};

TEST(Static, MarksResultsOfChangedTextsStaleAndCopiesOnlyCurrentOnes) {
  constexpr std::u16string_view kRefused = u"结果已过期或尚未计算，请先计算。";
  constexpr std::u16string_view kFive = u"3\t1.2\t40%\t1.581139\t52.7046%\t5\t0.0001\n";
  const StaleCase cases[] = {
      {"as calculated", {}, false, kFive},
      {"an item changed, same length", {{"Text1", u"1 2 3 4 6"}}, true, kRefused},
      {"the precision changed", {{"Text7", u"0.001"}}, true, kRefused},
      {"changed back", {{"Text7", u"1"}, {"Text7", u"0.0001"}}, false, kFive},
      {"a calculation refused", {{"Text1", u"1 2 x"}, {"Command1", u""}}, true, kRefused},
      {"calculated again",
       {{"Text1", u"1 2"}, {"Command1", u""}},
       false,
       u"1.5\t0.5\t33.3333%\t0.707107\t47.1405%\t2\t0.0001\n"},
      {"a result typed over",
       {{"Text2", u"三"}},
       false,
       u"三\t1.2\t40%\t1.581139\t52.7046%\t5\t0.0001\n"},
      {"cleared", {{"Command2", u""}}, false, kRefused},
      {"cleared, data again", {{"Command2", u""}, {"Text1", u"1 2 3 4 5"}}, false, kRefused},
      {"a clipboard held elsewhere",
       {{"Clipboard", u""}},
       false,
       u"无法打开剪贴板，结果未复制，请稍后再试。"},
  };
  for (const StaleCase& c : cases) {
    window::Static window;
    RecordingForm form(window::Static::Description());
    form.Type("Text1", u"1 2 3 4 5");
    window.Click("Command1", form);
    for (const auto& [control, text] : c.steps) {
      if (control.starts_with("Command")) {
        window.Click(control, form);
      } else if (control == "Clipboard") {
        form.RefuseClipboard();
      } else {
        form.Type(control, text);
        window.Change(control, form);
      }
    }
    for (const char* box : {"Text2", "Text3", "Text4", "Text5", "Text6"})
      EXPECT_EQ(form.IsStale(box), c.stale) << c.name << " " << box;
    window.Click("CopyResults", form);
    const std::u16string& last = form.Events().back().text;
    EXPECT_EQ(last.substr(last.find(u'\n') + 1), c.copied) << c.name;
  }
}

// The rule every host draws a box's hints by: the stale note first, a cut
// text whole, and the command's tip only where nothing else is told.
TEST(HintFor, TellsStaleCutAndCommandInThatOrder) {
  // Columns: cut, stale, tooltip; the description says the same but for the
  // command's tip, which is no description.
  const std::tuple<bool, bool, std::u16string_view> rows[] = {
      {false, false, u"复制 (Ctrl+Shift+C)"},
      {true, false, u"3.1415926536"},
      {false, true, u"结果已过期：原始数据或精度已改动，请重新计算。"},
      {true, true, u"结果已过期：原始数据或精度已改动，请重新计算。\n3.1415926536"},
  };
  for (const auto& [cut, stale, tooltip] : rows) {
    const runtime::BoxHint hint = runtime::HintFor(u"3.1415926536", cut, stale,
                                                   runtime::CommandTip(u"复制", u"Ctrl+Shift+C"));
    EXPECT_EQ(Utf16ToUtf8(hint.tooltip), Utf16ToUtf8(tooltip)) << cut << stale;
    EXPECT_EQ(Utf16ToUtf8(hint.description), cut || stale ? Utf16ToUtf8(tooltip) : "");
  }
  EXPECT_TRUE(runtime::IsCut(75.4, 75));
  EXPECT_FALSE(runtime::IsCut(75, 75));
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
