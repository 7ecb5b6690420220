#include <windows.h>

#include <array>
#include <string>

#include "tests/win32/checks.h"
#include "tests/win32/expected_window.h"
#include "tests/win32/keyboard_input.h"
#include "tests/win32/message_box_reader.h"
#include "tests/win32/screenshot.h"

namespace quorvel::wine_driver {
namespace {

std::string NameOf(const AppSession& app, HWND control) {
  for (int row = 0; row < std::ssize(kExpectedControls); ++row) {
    if (app.Control(row) == control) return std::string(kExpectedControls[row].name);
  }
  return control == nullptr ? "nothing" : "another window";
}

// Presses the key once per step and lists where the focus went.
std::string WalkFocus(const AppSession& app, std::initializer_list<WORD> key, int steps) {
  std::string path = NameOf(app, app.Focus());
  for (int i = 0; i < steps; ++i) {
    const HWND before = app.Focus();
    PressKeys(key);
    AppSession::WaitUntil([&] { return app.Focus() != before; }, 1000);
    path += " " + NameOf(app, app.Focus());
  }
  return path;
}

std::string FocusPath(bool backwards) {
  const int steps = static_cast<int>(std::size(kFocusOrder));
  std::string path;
  for (int i = 0; i <= steps; ++i) {
    const int index = backwards ? (steps - i) % steps : i % steps;
    path += (i == 0 ? "" : " ") + std::string(kExpectedControls[kFocusOrder[index]].name);
  }
  return path;
}

using ResultTexts = std::array<std::wstring_view, std::size(kResultBoxes)>;

// The five results of the series 1 2 3 4 5 at precision 0.0001.
constexpr ResultTexts kResultsOfOneToFive = {L"3", L"1.2", L"40%", L"1.581139", L"52.7046%"};
constexpr ResultTexts kNoResults = {};

void ExpectResults(const AppSession& app, const ResultTexts& texts, const std::string& when,
                   CheckLog& log) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int row = kResultBoxes[i];
    log.ExpectText(app.TextOf(app.Control(row)), texts[i],
                   std::string(kExpectedControls[row].name) + " " + when);
  }
}

void ExpectMessageBox(const std::optional<MessageBoxView>& box, std::wstring_view title,
                      std::wstring_view prompt, std::wstring_view buttons, CheckLog& log) {
  if (!box) return log.Expect(false, "message box \"" + Utf8(title) + "\" appears");
  std::wstring seenButtons;
  for (const std::wstring& button : box->buttons) seenButtons += L"[" + button + L"]";
  log.ExpectText(box->title, title, "message box title");
  log.ExpectText(box->prompt, prompt, "message box prompt");
  log.ExpectText(seenButtons, buttons, "message box buttons");
  log.Expect(!box->hasIcon, "message box has no icon");
}

}  // namespace

void CheckKeyboard(const AppSession& app, CheckLog& log) {
  app.Activate();
  const int steps = static_cast<int>(std::size(kFocusOrder));
  const std::string forward = FocusPath(false);
  log.Expect(WalkFocus(app, {VK_TAB}, steps) == forward, "Tab: " + forward, WalkFocus(app, {}, 0));
  const std::string backward = FocusPath(true);
  const std::string walked = WalkFocus(app, {VK_SHIFT, VK_TAB}, steps);
  log.Expect(walked == backward, "Shift+Tab: " + backward, walked);
  log.ExpectText(app.TextOf(app.Control(kText1)), L"", "Text1 after tabbing through it");
  for (int row : {kCommand1, kCommand2}) {
    log.Expect(
        (GetWindowLongW(app.Control(row), GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON,
        std::string(kExpectedControls[row].name) + " is no default button after the focus left it");
  }

  TypeText(L"1 2 3");
  PressKeys({VK_RETURN});
  TypeText(L"4 5");
  AppSession::WaitUntil([&] { return app.TextOf(app.Control(kText1)).size() == 10; });
  log.ExpectText(app.TextOf(app.Control(kText1)), L"1 2 3\r\n4 5", "Text1 after Enter");

  PressKeys({VK_ESCAPE});
  Sleep(300);
  log.Expect(IsWindowVisible(app.Window()), "Escape in Text1 leaves the window open");

  // Enter in a single-line box must click nothing: no default button.
  PressKeys({VK_SHIFT, VK_TAB});
  log.Expect(AppSession::WaitUntil([&] { return app.Focus() == app.Control(kText7); }),
             "Shift+Tab from Text1 reaches Text7");
  PressKeys({VK_RETURN});
  Sleep(300);
  log.Expect(NoMessageBox(app), "Enter in Text7 shows no message box");
  ExpectResults(app, kNoResults, "after Enter in Text7", log);
  PressKeys({VK_TAB});
}

void CheckCalculation(const AppSession& app, const std::wstring& screenshotPath, CheckLog& log) {
  app.Activate();
  PressKeys({VK_MENU, 'M'});
  AppSession::WaitUntil([&] { return !app.TextOf(app.Control(kText6)).empty(); });
  ExpectResults(app, kResultsOfOneToFive, "after Alt+M", log);
  log.ExpectText(app.TextOf(app.Control(kText7)), L"0.0001", "Text7 after Alt+M");
  log.Expect(NoMessageBox(app), "a good series shows no message box");
  Sleep(300);  // lets the boxes repaint before the screen is read
  log.Expect(SaveScreenshot(app.Window(), screenshotPath), "screenshot saved");
}

void CheckMessageBoxes(const AppSession& app, CheckLog& log) {
  app.SetTextOf(app.Control(kText1), L"1 2x 3");
  app.Activate();
  PressKeys({VK_MENU, 'M'});
  ExpectMessageBox(WaitForMessageBox(app), L"输入正确数据", L"第2个数据输入有误，请重新输入",
                   L"[确定]", log);
  PressKeys({VK_RETURN});
  log.Expect(NoMessageBox(app), "Enter answers the item message and no other follows");
  ExpectResults(app, kResultsOfOneToFive, "after a bad item", log);

  PressKeys({VK_MENU, 'C'});
  const std::optional<MessageBoxView> question = WaitForMessageBox(app);
  ExpectMessageBox(question, L"提示", L"是否要清除包括原始数据在内的所有数据？",
                   L"[是(&Y)][否(&N)]", log);
  PressKeys({'N'});
  log.Expect(NoMessageBox(app), "N answers the Clear question");
  log.ExpectText(app.TextOf(app.Control(kText1)), L"1 2x 3", "Text1 after No");
  ExpectResults(app, kResultsOfOneToFive, "after No", log);

  PressKeys({VK_MENU, 'C'});
  log.Expect(WaitForMessageBox(app).has_value(), "Alt+C asks again");
  PressKeys({VK_RETURN});  // Yes is the default button
  log.Expect(NoMessageBox(app), "Enter answers the Clear question");
  AppSession::WaitUntil([&] { return app.TextOf(app.Control(kText6)).empty(); });
  log.ExpectText(app.TextOf(app.Control(kText1)), L"", "Text1 after Yes");
  ExpectResults(app, kNoResults, "after Yes", log);
  log.ExpectText(app.TextOf(app.Control(kText7)), L"0.0001", "Text7 after Yes");
}

}  // namespace quorvel::wine_driver
