// Runs the Win32 host inside this process as a user would: every row of the
// case table through the recording form, the window rows through real keys
// and real message boxes; then each control's place and font at the
// screen's DPI and its accessible name, and the focus order.
// Usage: quorvel-win32-tests CASES DPI
#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "case_table.h"
#include "runtime/recording_form.h"
#include "runtime/twips.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_form.h"
#include "window/static_form.h"

using namespace quorvel;
namespace {

using runtime::ControlDescription;
using runtime::win32::Win32Form;
const runtime::FormDescription& kForm = window::Static::Description();
constexpr const char* kResults[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};
const std::u16string kUntouched = u"(untouched)";

struct {
  std::u16string shown;                        // the message boxes shown, one Line() each
  int answer = IDYES, passed = 0, failed = 0;  // answer: to a question; other boxes get OK
} test;

void Check(bool ok, std::string_view what, std::string_view name) {
  ok ? ++test.passed : ++test.failed;
  if (!ok) std::printf("FAILED: %s%s\n", std::string(what).c_str(), std::string(name).c_str());
}

std::u16string Line(bool question, std::u16string_view title, std::u16string_view prompt) {
  return std::u16string(question ? u"?" : u"").append(title).append(u"=").append(prompt) + u"\n";
}

// What a row leaves, one line each: the five results, the data and the
// precision after the clicks, then every message box.
std::u16string Expected(const cases::Case& c) {
  std::u16string lines;
  for (const std::u16string& text : c.results)
    lines += (c.clearAnswer == 'y' ? u"" : c.writesResults ? text : kUntouched) + u"\n";
  lines += (c.clearAnswer == 'y' ? u"" : c.data) + u"\n" + c.precision + u"\n";
  for (const cases::Message& m : c.messages)
    lines += Line(c.clearAnswer != 0 && &m == &c.messages.back(), m.title, m.prompt);
  return lines;
}

// Types the precision and the data, clicks 计算 and, if the row says so, 清空.
std::u16string Outcome(runtime::FormServices& form, const cases::Case& c, auto enter, auto click) {
  for (const char* box : kResults) form.SetText(box, kUntouched);
  enter("Text7", c.precision);
  enter("Text1", c.data);
  click("Command1");
  if (c.clearAnswer != 0) click("Command2");
  std::u16string lines;
  for (const char* box : kResults) lines += form.Text(box) + u"\n";
  return lines + form.Text("Text1") + u"\n" + form.Text("Text7") + u"\n";
}

std::u16string Recorded(const cases::Case& c) {
  runtime::RecordingForm form(kForm, runtime::MsgBoxAnswer(c.clearAnswer == 'n' ? IDNO : IDYES));
  window::Static window;
  std::u16string lines = Outcome(
      form, c, [&](const char* box, std::u16string_view text) { form.Type(box, text); },
      [&](const char* button) { window.Click(button, form); });
  for (const runtime::RecordingForm::Event& e : form.Events())
    if (e.kind == e.Kind::MsgBox)
      lines += Line(e.buttons == runtime::MsgBoxButtons::YesNo, e.title, e.text);
  return lines;
}

// Reads each message box as it opens and presses one of its buttons.
LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  const HWND box = reinterpret_cast<HWND>(wParam);
  wchar_t title[64] = {}, prompt[256] = {};
  // A message box's text has the ID 0xFFFF, which no control of the window has.
  if (code == HCBT_ACTIVATE && GetDlgItemTextW(box, 0xFFFF, prompt, 256) > 0) {
    // Not shown yet, so the button's own style tells whether it is there.
    const bool question = GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & WS_VISIBLE;
    GetWindowTextW(box, title, 64);
    test.shown += Line(question, runtime::win32::FromWide(title), runtime::win32::FromWide(prompt));
    PostMessageW(box, WM_COMMAND, question ? test.answer : IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses and lets go of each key, `held` held down throughout (0: none),
// through Windows' input queue and the host's message handling. With
// KEYEVENTF_UNICODE they are typed as characters, CR LF as the Enter key.
void Keys(Win32Form& form, std::u16string_view keys, DWORD flags = 0, WORD held = 0) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD how) {
    const bool text = how & KEYEVENTF_UNICODE;  // `key` is a character, not a virtual key
    inputs.push_back(
        {INPUT_KEYBOARD, {.ki = {text ? WORD{} : key, text ? key : WORD{}, how, 0, 0}}});
  };
  if (held != 0) add(held, 0);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool enter = flags != 0 && keys.substr(i, 2) == u"\r\n";
    for (const DWORD up : {0, KEYEVENTF_KEYUP})
      add(enter ? VK_RETURN : keys[i], (enter ? 0 : flags) | up);
    i += enter;
  }
  if (held != 0) add(held, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) form.Dispatch(message);
}

std::u16string Driven(Win32Form& form, const cases::Case& c) {
  test.answer = c.clearAnswer == 'n' ? IDNO : IDYES;
  std::u16string lines = Outcome(
      form, c,
      [&](const char* box, std::u16string_view text) {
        form.SetText(box, u"");
        SetFocus(form.HandleOf(box));
        Keys(form, text, KEYEVENTF_UNICODE);
      },
      [&](const char* button) {  // by the Alt mnemonic its caption shows
        const auto caption =
            std::ranges::find(kForm.controls, button, &ControlDescription::name)->text;
        Keys(form, std::u16string(1, std::towupper(caption[caption.find(u'&') + 1])), 0, VK_MENU);
      });
  return lines + std::exchange(test.shown, {});
}

// Each control where its twips fall at this DPI, with exactly the font it
// asks for, and named to a screen reader by its accessible name if it has one.
void CheckControls(const Win32Form& form, int dpi) {
  for (const ControlDescription& c : kForm.controls) {
    const HWND hwnd = form.HandleOf(c.name);
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&r), 2);
    const runtime::PixelRect place{r.left, r.top, r.right - r.left, r.bottom - r.top};
    Check(place == runtime::TwipsToPixels(c.rect, dpi), "place of ", c.name);
    if (c.font != nullptr) {
      LOGFONTW want{}, got{};
      want.lfHeight = -std::lround(c.font->pointSize * dpi / 72);
      want.lfWeight = c.font->weight;
      want.lfCharSet = static_cast<BYTE>(c.font->charset);
      c.font->face.copy(reinterpret_cast<char16_t*>(want.lfFaceName), LF_FACESIZE - 1);
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof got, &got);
      Check(std::memcmp(&got, &want, sizeof got) == 0, "font of ", c.name);
    }
    IAccessible* object = nullptr;
    BSTR read = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: the control itself
    if (SUCCEEDED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&object)))) {
      object->get_accName(self, &read);
      object->Release();
    }
    const auto* spoken = reinterpret_cast<const char16_t*>(read);
    Check(c.accessibleName.empty() || (spoken && spoken == c.accessibleName), "name of ", c.name);
    SysFreeString(read);
  }
}

// The focus starts in the first control that takes it, Tab walks the others
// in tab order, and each keeps the focus across minimise and restore.
void CheckFocus(Win32Form& form) {
  HWND last = nullptr;
  std::vector<const ControlDescription*> byTab;  // by the tab index column itself
  for (const ControlDescription& c : kForm.controls)
    if (c.tabIndex >= 0 && c.kind != runtime::ControlKind::Label) byTab.push_back(&c);
  std::ranges::sort(byTab, {}, &ControlDescription::tabIndex);
  for (const ControlDescription* c : byTab) {
    if (last != nullptr) Keys(form, u"\t");
    last = form.HandleOf(c->name);
    Check(GetFocus() == last, "Tab to ", c->name);
    ShowWindow(form.Window(), SW_MINIMIZE);
    ShowWindow(form.Window(), SW_RESTORE);
    Keys(form, u"");
    Check(GetFocus() == last, "focus kept across minimise and restore by ", c->name);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  SetWindowsHookExW(WH_CBT, &AnswerMessageBoxes, nullptr, GetCurrentThreadId());
  window::Static window;
  Win32Form form(GetModuleHandleW(nullptr), kForm, window);
  ShowWindow(form.Window(), SW_SHOW);
  CheckControls(form, std::stoi(argv[2]));
  CheckFocus(form);
  for (const cases::Case& c : cases::ReadCases(argv[1])) {
    Check(Recorded(c) == Expected(c), "recording form, row ", c.name);
    if (c.window) Check(Driven(form, c) == Expected(c), "window, row ", c.name);
  }
  std::printf("quorvel-win32-tests: %d passed, %d failed\n", test.passed, test.failed);
  return test.failed == 0 ? 0 : 1;
}
