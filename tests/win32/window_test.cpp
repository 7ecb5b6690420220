// Runs the Win32 host in this process as a user would: every row of the case
// table through the recording form, the window rows through real keys and
// real message boxes, then the window's layout and fonts at the screen's DPI,
// its focus order, accessible names and start-up failure, and the version
// block of quorvel.exe. Usage: quorvel-win32-tests CASES DPI QUORVEL_EXE
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "case_table.h"
#include "runtime/recording_form.h"
#include "runtime/tab_order.h"
#include "runtime/twips.h"
#include "runtime/utf8.h"
#include "user_input.h"
#include "window/static_form.h"

namespace quorvel::win32_test {
namespace {

using runtime::ControlDescription;
using runtime::ControlKind;
using runtime::win32::Win32Form;
using Lines = std::vector<std::u16string>;

const runtime::FormDescription& kForm = window::Static::Description();
constexpr const char* kBoxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
constexpr auto kResultBoxes = std::span(kBoxes).subspan<1>();
constexpr char16_t kUntouched[] = u"(untouched)";
int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  ok ? ++passed : ++failed;
  if (!ok) std::printf("FAILED: %s\n", what.c_str());
}

// What a row must leave: the five results, after 清空 the six boxes, every
// message box in order, the precision.
Lines Expected(const cases::Case& c) {
  Lines lines;
  for (const std::u16string& result : c.results)
    lines.push_back(c.writesResults ? result : kUntouched);
  if (c.clearAnswer == 'y') lines.insert(lines.end(), 6, u"");
  if (c.clearAnswer == 'n') {
    Lines kept{c.data};
    kept.insert(kept.end(), lines.begin(), lines.end());
    lines.insert(lines.end(), kept.begin(), kept.end());
  }
  for (const cases::Message& m : c.messages) {
    const bool question = c.clearAnswer != 0 && &m == &c.messages.back();
    lines.push_back((question ? u"? " : u"") + m.title + u"=" + m.prompt);
  }
  lines.push_back(c.precision);
  return lines;
}

template <typename Driver>
Lines Outcome(Driver& driver, const cases::Case& c) {
  for (const char* box : kResultBoxes) driver.form.SetText(box, kUntouched);
  driver.Enter("Text7", c.precision);
  driver.Enter("Text1", c.data);
  driver.Click("Command1");
  Lines lines;
  for (const char* box : kResultBoxes) lines.push_back(driver.form.Text(box));
  if (c.clearAnswer != 0) driver.Click("Command2");
  for (const char* box : kBoxes)
    c.clearAnswer != 0 ? lines.push_back(driver.form.Text(box)) : void();
  for (std::u16string& message : driver.Messages()) lines.push_back(std::move(message));
  lines.push_back(driver.form.Text("Text7"));
  return lines;
}

struct RecordingDriver {
  runtime::RecordingForm form;
  window::Static window;
  void Enter(std::string_view box, std::u16string_view text) { form.Type(box, text); }
  void Click(std::string_view button) { window.Click(button, form); }
  Lines Messages() {
    Lines lines;
    for (const runtime::RecordingForm::Event& e : form.Events()) {
      const bool question = e.buttons == runtime::MsgBoxButtons::YesNo;
      if (e.kind == e.Kind::MsgBox)
        lines.push_back((question ? u"? " : u"") + e.title + u"=" + e.text);
    }
    return lines;
  }
};

const ControlDescription& Described(std::string_view name) {
  for (const ControlDescription& control : kForm.controls) {
    if (control.name == name) return control;
  }
  throw std::invalid_argument(std::string(name));
}

struct WindowDriver {
  Win32Form& form;
  User& user;
  // Keys cannot make a lone CR or LF, a tab or a NUL: such texts are set.
  void Enter(std::string_view box, std::u16string_view text) {
    SetFocus(form.HandleOf(box));
    SendMessageW(form.HandleOf(box), EM_SETSEL, 0, -1);
    std::u16string rest(text);
    for (std::size_t at; (at = rest.find(u"\r\n")) != rest.npos;) rest.erase(at, 2);
    if (std::ranges::any_of(rest, [](char16_t unit) { return unit < u' '; })) {
      form.SetText(box, text);
    } else {
      user.Press(0, VK_DELETE);
      user.Type(text);
    }
  }
  // By the Alt mnemonic its caption shows.
  void Click(std::string_view button) {
    const std::u16string_view caption = Described(button).text;
    user.Press(VK_MENU, static_cast<WORD>(std::towupper(caption[caption.find(u'&') + 1])));
  }
  Lines Messages() { return std::exchange(user.messages, {}); }
};

void CheckRows(const char* table, Win32Form& form, User& user) {
  window::Static window;
  for (const cases::Case& c : cases::ReadCases(table)) {
    const auto answer =
        c.clearAnswer == 'n' ? runtime::MsgBoxAnswer::No : runtime::MsgBoxAnswer::Yes;
    RecordingDriver recording{runtime::RecordingForm(kForm, answer), {}};
    Check(Outcome(recording, c) == Expected(c), "recording form, row " + c.name);
    if (!c.window) continue;
    user.questionAnswer = static_cast<int>(answer);
    WindowDriver driver{form, user};
    const Lines lines = Outcome(driver, c);
    Check(lines == Expected(c), "window, row " + c.name);
    for (std::size_t i = 0; lines != Expected(c) && i < lines.size(); ++i) {
      std::printf("  got %s\n", runtime::Utf16ToUtf8(lines[i]).c_str());
    }
  }
}

void CheckPlacesAndFonts(const Win32Form& form, int dpi) {
  RECT client;
  GetClientRect(form.Window(), &client);
  Check(client.right == runtime::TwipsToPixels(kForm.clientWidthTwips, dpi) &&
            client.bottom == runtime::TwipsToPixels(kForm.clientHeightTwips, dpi),
        "client area");
  NONCLIENTMETRICSW system{};
  system.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  for (const ControlDescription& c : kForm.controls) {
    const std::string name(c.name);
    RECT r;
    GetWindowRect(form.HandleOf(c.name), &r);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&r), 2);
    Check(runtime::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top} ==
              runtime::TwipsToPixels(c.rect, dpi),
          "place of " + name);
    if (c.kind == ControlKind::Image) continue;
    LOGFONTW want = system.lfMessageFont;
    if (c.font != nullptr) {
      want = LOGFONTW{};
      want.lfHeight = -std::lround(c.font->pointSize * dpi / 72);
      want.lfWeight = c.font->weight;
      want.lfCharSet = static_cast<BYTE>(c.font->charset);
      c.font->face.copy(reinterpret_cast<char16_t*>(want.lfFaceName), LF_FACESIZE - 1);
    }
    LOGFONTW got{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.HandleOf(c.name), WM_GETFONT, 0, 0)),
               sizeof got, &got);
    Check(got.lfHeight == want.lfHeight && got.lfWeight == want.lfWeight && !got.lfItalic &&
              !got.lfUnderline && !got.lfStrikeOut && got.lfCharSet == want.lfCharSet &&
              std::wstring_view(got.lfFaceName) == want.lfFaceName,
          "font of " + name);
  }
}

void CheckAccessibleNames(const Win32Form& form) {
  for (const ControlDescription& c : kForm.controls) {
    if (c.accessibleName.empty()) continue;
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const bool read =
        SUCCEEDED(AccessibleObjectFromWindow(form.HandleOf(c.name), OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&object))) &&
        SUCCEEDED(object->get_accName(self, &name)) && name != nullptr;
    Check(read && reinterpret_cast<const char16_t*>(name) == c.accessibleName,
          "accessible name of " + std::string(c.name));
    SysFreeString(name);
    if (object != nullptr) object->Release();
  }
}

// Tab walks the controls that take the focus in tab order and wraps around;
// each keeps the focus across minimise and restore.
void CheckFocus(const Win32Form& form, User& user) {
  std::vector<const ControlDescription*> stops = runtime::InTabOrder(kForm);
  std::erase_if(stops, [](const ControlDescription* c) {
    return c->kind == ControlKind::Label || c->kind == ControlKind::Image;
  });
  SetFocus(form.HandleOf(stops.back()->name));
  for (const ControlDescription* stop : stops) {
    user.Press(0, VK_TAB);
    Check(GetFocus() == form.HandleOf(stop->name), "Tab to " + std::string(stop->name));
    ShowWindow(form.Window(), SW_MINIMIZE);
    user.Pump();
    ShowWindow(form.Window(), SW_RESTORE);
    user.Pump();
    Check(GetFocus() == form.HandleOf(stop->name), "focus kept by " + std::string(stop->name));
  }
}

void CheckVersionBlock(const char* exe) {
  std::vector<char> block(GetFileVersionInfoSizeA(exe, nullptr));
  const bool read = GetFileVersionInfoA(exe, 0, static_cast<DWORD>(block.size()), block.data());
  const auto value = [&](const wchar_t* path) {
    void* found = nullptr;
    UINT size = 0;
    return read && VerQueryValueW(block.data(), path, &found, &size) && size > 0 ? found : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
  Check(fixed != nullptr && fixed->dwFileVersionMS == MAKELONG(2, 1) &&
            fixed->dwFileVersionLS == 0 && fixed->dwProductVersionMS == MAKELONG(2, 1) &&
            fixed->dwProductVersionLS == 0,
        "fixed version 1.2.0.0");
  const auto* language = static_cast<const DWORD*>(value(L"\\VarFileInfo\\Translation"));
  Check(language != nullptr && *language == MAKELONG(0x0804, 1200), "Chinese (PRC), Unicode");
  for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
    const auto* text = static_cast<const wchar_t*>(
        value((L"\\StringFileInfo\\080404b0\\" + std::wstring(name)).c_str()));
    Check(text != nullptr && std::wstring_view(text) == L"1.02", "version text 1.02");
  }
}

}  // namespace
}  // namespace quorvel::win32_test

int main(int argc, char** argv) {
  using namespace quorvel::win32_test;
  if (argc != 4) {
    std::fputs("usage: quorvel-win32-tests CASES DPI QUORVEL_EXE\n", stderr);
    return 2;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  quorvel::window::Static window;
  Win32Form form(GetModuleHandleW(nullptr), kForm, window);
  User user(form);
  ShowWindow(form.Window(), SW_SHOW);
  SetForegroundWindow(form.Window());
  user.Pump();

  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  Check(dpi == std::atoi(argv[2]), "screen DPI " + std::to_string(dpi));
  CheckPlacesAndFonts(form, dpi);
  CheckAccessibleNames(form);
  CheckFocus(form, user);
  CheckRows(argv[1], form, user);
  CheckVersionBlock(argv[3]);
  Check(SendMessageW(form.Window(), WM_GETICON, ICON_SMALL, 0) != 0, "window icon");

  bool thrown = false;
  try {
    form.Text("Text8");
  } catch (const std::invalid_argument&) {
    thrown = true;
  }
  Check(thrown, "an unknown box name is refused");
  user.refuseNewWindows = true;
  try {
    Win32Form failing(GetModuleHandleW(nullptr), kForm, window);
    Check(false, "a window that cannot be made is reported");
  } catch (const quorvel::runtime::win32::HostFailure& failure) {
    Check(!failure.message.empty(), "a window that cannot be made is reported");
  }
  user.refuseNewWindows = false;
  std::printf("quorvel-win32-tests: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
