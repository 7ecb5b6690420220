// Runs the Win32 host inside this process as a user would: the window rows of
// the case table pasted and typed through real keys and real message boxes,
// compared with the table itself (tests/calculation_test.cpp runs every row
// through the core); and each control's place and
// font at the screen's DPI and at the DPI of every monitor the window is
// moved to, its accessible name, and the focus order.
// Usage: quorvel-win32-tests CASES LAYOUTS DPI
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>

#include "case_table.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_form.h"
#include "tools/utf8.h"
#include "window/static_form.h"

using namespace quorvel;
using namespace quorvel::runtime;
using namespace quorvel::runtime::win32;
namespace {

const FormDescription& kForm = window::Static::Description();
// The data, the five results and the precision.
constexpr const char* kBoxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
// A typed run types each text whole, but a single-line box lays out its whole
// line again on every key (half a second a key at 32767 characters under
// Wine): a longer text is pasted but for its last keys. Rows with more data
// than anyone types run pasted only.
constexpr std::size_t kLongestTyped = 4000;

struct {
  std::u16string shown;  // the message boxes shown, one Line() each
  std::u16string menu;   // the context menus opened: entries, "*" if grey, "-" a separator
  int answer = IDYES, passed = 0, failed = 0;  // answer: to a question; other boxes get OK
} test;

void Check(bool ok, const std::string& what) {
  ok ? ++test.passed : ++test.failed;
  if (!ok) std::printf("FAILED: %s\n", what.c_str());
}

std::u16string Line(bool question, std::u16string_view title, std::u16string_view prompt) {
  return std::u16string(question ? u"?" : u"").append(title).append(u"=").append(prompt) + u"\n";
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
    test.shown += Line(question, FromWide(title), FromWide(prompt));
    PostMessageW(box, WM_COMMAND, question ? test.answer : IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Presses and lets go of each key, `held` held down throughout, through
// Windows' input queue and the host's message handling. With
// KEYEVENTF_UNICODE they are typed as characters, CR LF as the Enter key.
void Keys(Win32Form& form, std::u16string_view keys, DWORD flags = 0,
          std::initializer_list<WORD> held = {}) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD how) {  // with KEYEVENTF_UNICODE, `key` is a character
    const WORD virtualKey = how & KEYEVENTF_UNICODE ? 0 : key;  // a key also goes as wScan
    inputs.push_back({INPUT_KEYBOARD, {.ki = {virtualKey, key, how, 0, 0}}});
  };
  for (const WORD key : held) add(key, 0);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool enter = flags != 0 && keys.substr(i, 2) == u"\r\n";
    for (const DWORD up : {0, KEYEVENTF_KEYUP})
      add(enter ? VK_RETURN : keys[i], (enter ? 0 : flags) | up);
    i += enter;
  }
  for (const WORD key : held) add(key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) form.Dispatch(message);
}

// Reads each context menu as it opens.
LRESULT CALLBACK ReadMenus(int code, WPARAM wParam, LPARAM lParam) {
  const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  const auto menu = reinterpret_cast<HMENU>(sent.wParam);
  for (int i = 0; sent.message == WM_INITMENUPOPUP && i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[64] = {};
    GetMenuStringW(menu, i, caption, 64, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    test.menu +=
        state & MF_SEPARATOR ? u"-|" : FromWide(caption) + (state & MF_GRAYED ? u"*|" : u"|");
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SetClipboard(HWND owner, std::u16string_view text) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * 2);
  text.copy(static_cast<char16_t*>(GlobalLock(memory)), text.size());
  GlobalUnlock(memory);
  OpenClipboard(owner) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::u16string Clipboard() {
  OpenClipboard(nullptr);
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = static_cast<const char16_t*>(GlobalLock(data));
  const std::u16string copied = text != nullptr ? text : u"(none)";
  GlobalUnlock(data);
  CloseClipboard();
  return copied;
}

// Puts the text on the clipboard and presses Ctrl+V.
void Paste(Win32Form& form, std::u16string_view text) {
  SetClipboard(form.Window(), text);
  Keys(form, u"V", 0, {VK_CONTROL});
}

// The colour the window gives a box's text.
COLORREF TextColour(Win32Form& form, HWND box) {
  const HDC dc = GetDC(box);
  SendMessageW(form.Window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(box));
  const COLORREF colour = GetTextColor(dc);
  ReleaseDC(box, dc);
  return colour;
}

// What a screen reader hears of a control: `ask` is one of IAccessible's getters.
std::u16string Spoken(HWND control, HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*)) {
  IAccessible* object = nullptr;
  BSTR read = nullptr;
  AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_PPV_ARGS(&object));
  VARIANT self{};  // VT_EMPTY is wrong: CHILDID_SELF is a VT_I4 0
  self.vt = VT_I4;
  (object->*ask)(self, &read);
  object->Release();
  const std::u16string text(reinterpret_cast<const char16_t*>(read), SysStringLen(read));
  SysFreeString(read);
  return text;
}

// Whether `box` shows what a text too wide for it gets, for `whole` (for "",
// a result box's own tooltip): a mark right of the room for its text, the
// whole text as its tooltip and description, and its start while the focus
// is elsewhere.
bool HintsShow(HWND box, const std::u16string& whole) {
  wchar_t tip[INFOTIPSIZE] = {};
  TTTOOLINFOW tool{sizeof tool, 0, box,    reinterpret_cast<UINT_PTR>(box), {}, nullptr,
                   tip,         0, nullptr};
  SendMessageW(FindWindowW(TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, INFOTIPSIZE,
               reinterpret_cast<LPARAM>(&tool));
  RECT room, client;
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  GetClientRect(box, &client);
  UpdateWindow(box);
  const HDC dc = GetDC(box);
  bool marked = false;  // the mark sits across the middle of the room's height
  for (int x = room.right; x < client.right; ++x)
    marked |= GetPixel(dc, x, (room.top + room.bottom) / 2) != GetSysColor(COLOR_WINDOW);
  ReleaseDC(box, dc);
  // EM_GETFIRSTVISIBLELINE tells a single-line box's first shown character.
  const std::u16string_view expectedTip = whole.empty() ? u"复制全部结果 (Ctrl+Shift+C)" : whole;
  return marked != whole.empty() && FromWide(tip) == expectedTip.substr(0, INFOTIPSIZE - 1) &&
         Spoken(box, &IAccessible::get_accDescription) == whole &&
         (GetFocus() == box || SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0) == 0);
}

// The selection's start and length.
std::pair<std::size_t, std::size_t> Selected(HWND box) {
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end - start};
}

// A blank typed at the end of the data turns each result written grey and
// describes it as stale, its text kept; Backspace takes the marks away.
// Wine's grey for disabled text, #A6A6A6, reads at 2.4:1 on white: the
// window darkens it to #737373, 4.7:1.
void CheckStaleMarks(Win32Form& form, const cases::Case& c, const std::string& row) {
  SetFocus(form.HandleOf("Text1"));
  for (const bool stale : {true, false}) {
    Keys(form, stale ? u"\x23 " : u"\b");  // End, then a blank (VK_SPACE); Backspace
    for (std::size_t i = 0; i < c.results.size(); ++i) {
      const HWND box = form.HandleOf(kBoxes[i + 1]);
      const bool marked = stale && !c.results[i].empty();
      Check(form.Text(kBoxes[i + 1]) == c.results[i] &&
                TextColour(form, box) == (marked ? RGB(115, 115, 115) : RGB(0, 0, 0)) &&
                Spoken(box, &IAccessible::get_accDescription) ==
                    (marked ? u"结果已过期：原始数据或精度已改动，请重新计算。" : u""),
            std::string(marked ? "stale " : "current ") + kBoxes[i + 1] + ", " + row);
    }
  }
}

// Copies all results: with the clipboard held open by another window, as
// another program may hold it, Ctrl+Shift+C from the precision box shows a
// message and leaves the clipboard as it was and the box focused with its
// caret and view at the end of its text; then the last entry of a result
// box's context menu puts two lines on the clipboard.
void CheckCopy(Win32Form& form, const cases::Case& c, const std::string& row) {
  std::u16string copied =
      u"平均值\t平均偏差\t相对平均偏差(%)\t标准偏差(S)\t相对标准偏差(RSD%)\t数据个数\t精度\r\n";
  for (const std::u16string& result : c.results) copied += result + u"\t";
  copied += Utf8ToUtf16(std::to_string(*c.copiedCount)) + u"\t" + c.precision + u"\r\n";
  SetClipboard(form.Window(), u"kept");
  const HWND precision = form.HandleOf("Text7");
  SetFocus(precision);
  Keys(form, u"\x23");  // End
  const auto end = Selected(precision);
  const auto view = SendMessageW(precision, EM_GETFIRSTVISIBLELINE, 0, 0);
  const HWND other =
      CreateWindowW(L"Static", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  OpenClipboard(other);
  Keys(form, u"C", 0, {VK_CONTROL, VK_SHIFT});
  CloseClipboard();
  DestroyWindow(other);
  Check(std::exchange(test.shown, {}) == u"复制结果=无法打开剪贴板，结果未复制，请稍后再试。\n" &&
            Clipboard() == u"kept" && GetFocus() == precision && Selected(precision) == end &&
            SendMessageW(precision, EM_GETFIRSTVISIBLELINE, 0, 0) == view,
        "copy with the clipboard held, " + row);
  SetFocus(form.HandleOf("Text2"));
  Keys(form, u"\x79\x26\r", 0, {VK_SHIFT});  // Shift+F10, then Up and Enter in the menu
  Check(std::exchange(test.menu, {}) ==
                u"撤消(&U)*|剪切(&T)*|复制(&C)*|粘贴(&P)|删除(&D)*|-|全选(&A)|-|复制全部结果|" &&
            Clipboard() == copied && test.shown.empty(),
        "context menu of Text2, " + row);
}

// Enters a window row's precision and data, pasted or typed, clicks 计算 and,
// if the row says so, 清空, then compares the seven boxes and the message
// boxes shown with the row, and the focus and its selection with the row's
// (the last button clicked unless the row moves it). A box whose text is
// surely wider than it (no font fits 30 characters in a result box) shows the
// hints of a long text. The results are made stale and copied as the row
// says; a cleared row then gets its data back with Ctrl+Z.
void CheckRow(Win32Form& form, const cases::Case& c, bool typed) {
  test.answer = c.clearAnswer == 'n' ? IDNO : IDYES;
  for (const char* box : kBoxes) form.SetText(box, u"");
  for (const auto& [box, text] :
       {std::pair<const char*, std::u16string_view>{"Text7", c.precision}, {"Text1", c.data}}) {
    SetFocus(form.HandleOf(box));
    const std::size_t typedKeys = text.size() > kLongestTyped ? 4 : text.size();
    const std::size_t pasted = typed ? text.size() - typedKeys : text.size();
    Paste(form, text.substr(0, pasted));
    Keys(form, text.substr(pasted), KEYEVENTF_UNICODE);
  }
  Keys(form, u"M", 0, {VK_MENU});                          // 计算(&M) by its mnemonic
  if (c.clearAnswer != 0) Keys(form, u"C", 0, {VK_MENU});  // 清空(&C)
  const std::string row = (typed ? "typed row " : "pasted row ") + c.name;
  const bool cleared = c.clearAnswer == 'y';
  std::u16string expected = (cleared ? u"" : c.data) + u"\n", observed;
  for (const std::u16string& text : c.results)
    expected += (c.writesResults && !cleared ? text : u"") + u"\n";
  expected += c.precision + u"\n";
  for (const cases::Message& m : c.messages)
    expected += Line(c.clearAnswer != 0 && &m == &c.messages.back(), m.title, m.prompt);
  for (const char* box : kBoxes) {
    const std::u16string text = form.Text(box);
    observed += text + u"\n";
    Check(text.size() < 30 || box == kBoxes[0] || HintsShow(form.HandleOf(box), text),
          "mark, tooltip, description or start of a long result, " + row);
  }
  const auto focus = c.focus.value_or(cases::Selection{c.clearAnswer ? "Command2" : "Command1"});
  const HWND focused = form.HandleOf(focus.box);
  Check(observed + std::exchange(test.shown, {}) == expected, row);
  Check(GetFocus() == focused && Selected(focused) == std::pair{focus.start, focus.length},
        "focus and selection after " + row);
  if (c.editsAfter) CheckStaleMarks(form, c, row);
  if (c.copiedCount) CheckCopy(form, c, row);
  SetFocus(form.HandleOf("Text1"));
  Keys(form, u"Z", 0, {VK_CONTROL});
  Check(c.clearAnswer != 'y' || form.Text("Text1") == c.data, "Ctrl+Z after 清空, " + row);
}

HFONT FontOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// The window as laid out: its client size and the tooltip's font height, then
// each control's left, top, width, height and its font's lfHeight, weight,
// character set and face, a line each.
std::string Layout(Win32Form& form) {
  RECT r;
  LOGFONTW font{};
  GetClientRect(form.Window(), &r);
  GetObjectW(FontOf(FindWindowW(TOOLTIPS_CLASSW, nullptr)), sizeof font, &font);
  std::string text = "client";
  for (const LONG n : {r.right, r.bottom, font.lfHeight})
    text.append(" ").append(std::to_string(n));
  for (const ControlDescription& c : kForm.controls) {
    const HWND control = form.HandleOf(c.name);
    font = {};  // the picture has none
    GetObjectW(FontOf(control), sizeof font, &font);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form.Window(), reinterpret_cast<POINT*>(&r), 2);
    text.append("\n").append(c.name);
    for (const LONG n : {r.left, r.top, r.right - r.left, r.bottom - r.top, font.lfHeight,
                         font.lfWeight, LONG{font.lfCharSet}})
      text.append(" ").append(std::to_string(n));
    if (*font.lfFaceName != 0) text.append(" ").append(Utf16ToUtf8(FromWide(font.lfFaceName)));
  }
  return text + "\n";
}

// A DPI, the rectangle Windows would suggest on moving the window to a
// monitor of that DPI, the Layout() there, and results as wide as the room
// for them in Text2 and one and two pixels wider, as tests/win32/layouts.txt
// writes them by hand.
struct DpiStep {
  int dpi;
  RECT suggested;
  std::string layout, edge[3];
};

std::vector<DpiStep> ReadLayouts(const char* path) {
  std::ifstream file(path);
  std::vector<DpiStep> steps;
  for (std::string line, at, edge; std::getline(file, line);) {
    if (std::isalpha(line[0])) steps.back().layout += line + "\n";
    if (!std::isdigit(line[0])) continue;
    DpiStep& step = steps.emplace_back();
    auto& [left, top, right, bottom] = step.suggested;
    std::istringstream(line) >> step.dpi >> at >> left >> top >> right >> bottom >> edge >>
        step.edge[0] >> step.edge[1] >> step.edge[2];
  }
  return steps;
}

// Each control named to a screen reader by its accessible name if it has one;
// the focus starts in the data box and goes back to 精度, the last, on
// Shift+Tab; Tab walks the others in tab order, and each keeps the focus
// across minimise and restore and the window open across Escape. Returns
// whether the window is still open.
bool CheckControls(Win32Form& form) {
  std::vector byTab(kForm.controls.begin(), kForm.controls.end());  // by the tab index column
  std::ranges::sort(byTab, {}, &ControlDescription::tabIndex);
  Keys(form, u"\t", 0, {VK_SHIFT});
  Check(GetFocus() == form.HandleOf("Text7"), "Shift+Tab from the data box to 精度");
  for (const ControlDescription& c : byTab) {
    const HWND hwnd = form.HandleOf(c.name);
    Check(c.accessibleName.empty() || Spoken(hwnd, &IAccessible::get_accName) == c.accessibleName,
          "name of " + std::string(c.name));
    if (c.tabIndex < 0 || c.kind == ControlKind::Label || !IsWindow(form.Window())) continue;
    Keys(form, u"\t");
    const bool tabbed = GetFocus() == hwnd;
    for (const int show : {SW_MINIMIZE, SW_RESTORE}) ShowWindow(form.Window(), show);
    Keys(form, u"\x1b");
    Check(tabbed && GetFocus() == hwnd && IsWindowVisible(form.Window()),
          "Tab to, restored in, and Escape in " + std::string(c.name));
  }
  return IsWindow(form.Window());
}

// Moves the window to a monitor of each DPI as Windows would, then back to
// where it started by a rectangle off every screen: each time it takes the
// suggested place (or the nearest one wholly on the screen), is laid out as
// written for that DPI, frees the fonts it had and shows the hints of a long
// result in Text2 one or two pixels too wide, but not at no pixel.
void CheckDpiChanges(Win32Form& form, std::vector<DpiStep> steps, const DpiStep& start) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  steps.push_back(start);
  steps.back().suggested = {-5000, 9000, -4500, 9400};
  form.SetText("Text1", u"1 2");  // results current: Text2 tells only of its length
  Keys(form, u"M", 0, {VK_MENU});
  for (const DpiStep& step : steps) {
    const HGDIOBJ oldFonts[] = {FontOf(form.HandleOf("Label1")), FontOf(form.HandleOf("Text1"))};
    SendMessageW(form.Window(), WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                 reinterpret_cast<LPARAM>(&step.suggested));
    RECT place, shown;
    GetWindowRect(form.Window(), &place);
    const bool suggested = place.left == step.suggested.left && place.top == step.suggested.top;
    const bool onScreen = IntersectRect(&shown, &place, &screen) && EqualRect(&shown, &place);
    const std::string at = " at " + std::to_string(step.dpi) + " DPI";
    Check(Layout(form) == step.layout, "layout" + at);
    Check(onScreen && (suggested || &step == &steps.back()), "placed" + at);
    Check(std::ranges::none_of(oldFonts, GetObjectType), "old fonts freed" + at);
    for (int over = 0; over < 3; ++over) {
      const std::u16string text = Utf8ToUtf16(step.edge[over]);
      form.SetText("Text2", text);
      Check(HintsShow(form.HandleOf("Text2"), over == 0 ? u"" : text),
            "hints of a result " + std::to_string(over) + " pixels too wide" + at);
    }
  }
}

// A font Windows cannot make falls back to the message font, never to none.
void CheckFontFallback() {
  const FontDescription* song = kForm.controls[1].font;  // Label1's 宋体 10.5
  WindowFonts fonts(ScreenScale(96), LOGFONTW{}, [](const LOGFONTW& font) {
    return font.lfCharSet == 134 ? nullptr : CreateFontIndirectW(&font);
  });
  Check(fonts.For(song) == fonts.For(nullptr) && fonts.For(song) != nullptr,
        "the message font in place of 宋体");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  SetWindowsHookExW(WH_CBT, &AnswerMessageBoxes, nullptr, GetCurrentThreadId());
  SetWindowsHookExW(WH_CALLWNDPROC, &ReadMenus, nullptr, GetCurrentThreadId());
  window::Static target;
  Win32Form form(GetModuleHandleW(nullptr), kForm, target);
  ShowWindow(form.Window(), SW_SHOW);
  const std::vector<DpiStep> steps = ReadLayouts(argv[2]);
  const DpiStep& start = *std::ranges::find(steps, std::stoi(argv[3]), &DpiStep::dpi);
  if (!CheckControls(form)) return 1;  // closed by Escape: nothing more can run
  for (const auto& c : cases::ReadCases(argv[1]))
    for (const bool typed : {false, true})
      if (c.window && !(typed && c.data.size() > kLongestTyped)) CheckRow(form, c, typed);
  // The window as made at the screen's DPI; a box cleared from large and
  // typed into keeps its font, as all others do.
  Check(Layout(form) == start.layout, "layout after the session");
  CheckDpiChanges(form, steps, start);
  CheckFontFallback();
  std::printf("quorvel-win32-tests: %d passed, %d failed\n", test.passed, test.failed);
  return test.failed == 0 ? 0 : 1;
}
