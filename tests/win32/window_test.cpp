// Runs the Win32 host inside this process as a user would: every row of the
// case table through the recording form, and the window rows through real
// keys and real message boxes; then the window's places and fonts at the
// screen's DPI, its focus order, its accessible names and its report of a
// window that cannot be made. Usage: quorvel-win32-tests CASES DPI
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "runtime/recording_form.h"
#include "runtime/tab_order.h"
#include "runtime/twips.h"
#include "runtime/utf8.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_form.h"
#include "window/static_form.h"

namespace quorvel {
namespace {

using runtime::ControlDescription;
using runtime::win32::Win32Form;
const runtime::FormDescription& kForm = window::Static::Description();
// The result boxes, then the data box, which 清空 empties too.
constexpr const char* kBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6", "Text1"};
constexpr auto kResults = std::span(kBoxes).first<5>();
const std::u16string kUntouched = u"(untouched)";

// What the message-box hook sees and answers, and the tally.
struct {
  std::u16string shown;  // "title=prompt" lines, "?" before a Yes/No question
  int answer = IDYES;    // to a question; other boxes get OK
  bool refuseWindows = false;
  int passed = 0;
  int failed = 0;
} test;

void Check(bool ok, const std::string& what) {
  ok ? ++test.passed : ++test.failed;
  if (!ok) std::printf("FAILED: %s\n", what.c_str());
}

// One line for each result box, after 清空 for each box it may empty, for
// each message box, then the precision.
std::u16string Expected(const cases::Case& c) {
  std::u16string results;
  for (const std::u16string& text : c.results)
    results += (c.writesResults ? text : kUntouched) + u"\n";
  std::u16string lines = results;
  if (c.clearAnswer == 'y') lines += u"\n\n\n\n\n\n";
  if (c.clearAnswer == 'n') lines += results + c.data + u"\n";
  for (const cases::Message& m : c.messages) {
    const bool question = c.clearAnswer != 0 && &m == &c.messages.back();
    lines += (question ? u"?" : u"") + m.title + u"=" + m.prompt + u"\n";
  }
  return lines + c.precision;
}

std::u16string Outcome(runtime::FormServices& form, const cases::Case& c, auto enter, auto click,
                       auto shown) {
  for (const char* box : kResults) form.SetText(box, kUntouched);
  enter("Text7", c.precision);
  enter("Text1", c.data);
  click("Command1");
  std::u16string lines;
  for (const char* box : kResults) lines += form.Text(box) + u"\n";
  if (c.clearAnswer != 0) click("Command2");
  for (const char* box : kBoxes) lines += c.clearAnswer != 0 ? form.Text(box) + u"\n" : u"";
  return lines + shown() + form.Text("Text7");
}

std::u16string Recorded(const cases::Case& c) {
  runtime::RecordingForm form(
      kForm, c.clearAnswer == 'n' ? runtime::MsgBoxAnswer::No : runtime::MsgBoxAnswer::Yes);
  window::Static window;
  return Outcome(
      form, c, [&](const char* box, std::u16string_view text) { form.Type(box, text); },
      [&](const char* button) { window.Click(button, form); },
      [&] {
        std::u16string shown;
        for (const runtime::RecordingForm::Event& e : form.Events()) {
          const bool question = e.buttons == runtime::MsgBoxButtons::YesNo;
          if (e.kind == e.Kind::MsgBox)
            shown += (question ? u"?" : u"") + e.title + u"=" + e.text + u"\n";
        }
        return shown;
      });
}

std::u16string TextOf(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return runtime::win32::FromWide(text);
}

// Reads a message box as it opens and presses one of its buttons.
LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && test.refuseWindows) return 1;
  const HWND box = reinterpret_cast<HWND>(wParam);
  wchar_t kind[8] = {};
  if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 8) &&
      std::wstring_view(kind) == L"#32770") {
    // Not shown yet, so the button's own style tells whether it is there.
    const bool question = GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & WS_VISIBLE;
    const int button = question ? test.answer : IDOK;
    test.shown +=
        (question ? u"?" : u"") + TextOf(box) + u"=" + TextOf(GetDlgItem(box, 0xFFFF)) + u"\n";
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INPUT Key(WORD key, DWORD flags) {
  INPUT input{INPUT_KEYBOARD, {}};
  (flags & KEYEVENTF_UNICODE ? input.ki.wScan : input.ki.wVk) = key;
  input.ki.dwFlags = flags;
  return input;
}

// Presses and lets go of each key in turn, `held` held down throughout (0:
// none), through Windows' input queue and the host's message handling. With
// KEYEVENTF_UNICODE the keys are typed as characters, CR LF as Enter.
void Keys(Win32Form& form, std::u16string_view keys, DWORD flags = 0, WORD held = 0) {
  std::vector<INPUT> inputs;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool enter = flags != 0 && keys.substr(i, 2) == u"\r\n";
    for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      inputs.push_back(enter ? Key(VK_RETURN, up) : Key(keys[i], flags | up));
    }
    i += enter;
  }
  if (held != 0) {
    inputs.insert(inputs.begin(), Key(held, 0));
    inputs.push_back(Key(held, KEYEVENTF_KEYUP));
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) form.Dispatch(message);
}

std::u16string Driven(Win32Form& form, const cases::Case& c) {
  test.answer = c.clearAnswer == 'n' ? IDNO : IDYES;
  const auto enter = [&](const char* box, std::u16string_view text) {
    form.SetText(box, u"");
    SetFocus(form.HandleOf(box));
    Keys(form, text, KEYEVENTF_UNICODE);
  };
  // By the Alt mnemonic its caption shows.
  const auto click = [&](const char* button) {
    const std::u16string_view caption =
        std::ranges::find(kForm.controls, button, &ControlDescription::name)->text;
    Keys(form, std::u16string(1, std::towupper(caption[caption.find(u'&') + 1])), 0, VK_MENU);
  };
  return Outcome(form, c, enter, click, [] { return std::exchange(test.shown, {}); });
}

void CheckRows(const char* table, Win32Form& form) {
  for (const cases::Case& c : cases::ReadCases(table)) {
    Check(Recorded(c) == Expected(c), "recording form, row " + c.name);
    const std::u16string lines = c.window ? Driven(form, c) : Expected(c);
    Check(lines == Expected(c), "window, row " + c.name + ":\n" + runtime::Utf16ToUtf8(lines));
  }
}

// Each control where its twips fall at this DPI, with the font it asks for
// or else the system's message font and nothing more, and named to a screen
// reader by its accessible name.
void CheckControls(const Win32Form& form, int dpi) {
  NONCLIENTMETRICSW system{};
  system.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  for (const ControlDescription& c : kForm.controls) {
    const HWND control = form.HandleOf(c.name);
    const std::string name(c.name);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&r), 2);
    Check(runtime::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top} ==
              runtime::TwipsToPixels(c.rect, dpi),
          "place of " + name);
    LOGFONTW want = c.font != nullptr ? LOGFONTW{} : system.lfMessageFont;
    LOGFONTW got{};
    if (c.font != nullptr) {
      want.lfHeight = -std::lround(c.font->pointSize * dpi / 72);
      want.lfWeight = c.font->weight;
      want.lfCharSet = static_cast<BYTE>(c.font->charset);
      c.font->face.copy(reinterpret_cast<char16_t*>(want.lfFaceName), LF_FACESIZE - 1);
    }
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof got, &got);
    const bool font = std::memcmp(&got, &want, sizeof got) == 0;
    Check(font || c.kind == runtime::ControlKind::Image, "font of " + name);

    IAccessible* object = nullptr;
    BSTR accessibleName = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF, the control itself
    if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&object)))) {
      object->get_accName(self, &accessibleName);
      object->Release();
    }
    const auto* read = reinterpret_cast<const char16_t*>(accessibleName);
    Check(c.accessibleName.empty() || (read != nullptr && read == c.accessibleName),
          "accessible name of " + name);
    SysFreeString(accessibleName);
  }
}

// Tab walks the controls that take the focus in tab order and wraps around;
// each keeps the focus across minimise and restore.
void CheckFocus(Win32Form& form) {
  std::vector<const ControlDescription*> stops = runtime::InTabOrder(kForm);
  std::erase_if(stops, [](const ControlDescription* c) {
    return c->kind == runtime::ControlKind::Label || c->kind == runtime::ControlKind::Image;
  });
  SetFocus(form.HandleOf(stops.back()->name));
  for (const ControlDescription* stop : stops) {
    Keys(form, u"\t");
    Check(GetFocus() == form.HandleOf(stop->name), "Tab to " + std::string(stop->name));
    ShowWindow(form.Window(), SW_MINIMIZE);
    ShowWindow(form.Window(), SW_RESTORE);
    Keys(form, u"");
    Check(GetFocus() == form.HandleOf(stop->name), "focus kept by " + std::string(stop->name));
  }
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
  using namespace quorvel;
  if (argc != 3) {
    std::fputs("usage: quorvel-win32-tests CASES DPI\n", stderr);
    return 2;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HHOOK hook = SetWindowsHookExW(WH_CBT, &WatchWindows, nullptr, GetCurrentThreadId());
  window::Static window;
  Win32Form form(GetModuleHandleW(nullptr), kForm, window);
  ShowWindow(form.Window(), SW_SHOW);
  Keys(form, u"");
  CheckControls(form, std::atoi(argv[2]));
  CheckFocus(form);
  CheckRows(argv[1], form);
  Check(SendMessageW(form.Window(), WM_GETICON, ICON_SMALL, 0) != 0, "the window's icon");
  test.refuseWindows = true;
  try {
    Win32Form failing(GetModuleHandleW(nullptr), kForm, window);
    Check(false, "a window that cannot be made is reported");
  } catch (const runtime::win32::HostFailure& failure) {
    Check(!failure.message.empty(), "a window that cannot be made is reported");
  }
  UnhookWindowsHookEx(hook);
  std::printf("quorvel-win32-tests: %d passed, %d failed\n", test.passed, test.failed);
  return test.failed == 0 ? 0 : 1;
}
