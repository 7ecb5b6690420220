#include "runtime/win32/long_text.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "runtime/win32/wide_text.h"

namespace quorvel::runtime::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kServedProperty[] = L"QuorvelLongTextHints";

// Lends `use` a device context of the box with the box's font selected.
template <typename Use>
void WithBoxFont(HWND box, Use use) {
  const HDC dc = GetDC(box);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  use(dc);
  SelectObject(dc, previous);
  ReleaseDC(box, dc);
}

RECT RoomForText(HWND box) {
  RECT room{};
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  return room;
}

// A small triangle pointing right, between the room for the text and the
// box's right edge, in the colour of disabled text: a sign beside the text,
// never a character of it.
void DrawMark(HWND box) {
  const RECT room = RoomForText(box);
  RECT client;
  GetClientRect(box, &client);
  const LONG left = room.right + 1;
  const LONG size = std::min(client.right - 1 - left, (room.bottom - room.top) / 3);
  const LONG middle = (room.top + room.bottom) / 2;
  if (size <= 0) return;
  const POINT corners[] = {{left, middle - size}, {left, middle + size}, {left + size, middle}};
  const HDC dc = GetDC(box);
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetDCBrushColor(dc, GetSysColor(COLOR_GRAYTEXT));
  Polygon(dc, corners, 3);
  ReleaseDC(box, dc);
}

// Puts the caret before the first character and scrolls the box back to it.
// An edit control scrolls by 16-bit pixel positions, which wrap on a line
// wider than 32767 pixels and can leave it scrolled anywhere; its text set
// again starts it afresh from the first character.
void ShowStart(HWND box) {
  SendMessageW(box, EM_SETSEL, 0, 0);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  if (SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0) != 0) {
    SetWindowTextW(box, WholeText(box).c_str());
  }
}

// The mark's room: about a character's width added to the right margin, so
// the text never runs under the mark. The font gives a box equal margins and
// the left one is never changed here, so a new font does not add to the old
// room.
void KeepRoomForMark(HWND box) {
  TEXTMETRICW metrics{};
  WithBoxFont(box, [&](HDC dc) { GetTextMetricsW(dc, &metrics); });
  const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
  SendMessageW(box, EM_SETMARGINS, EC_RIGHTMARGIN,
               MAKELPARAM(0, LOWORD(margins) + metrics.tmAveCharWidth));
}

// A colour's relative luminance, as contrast ratios for legible text are
// reckoned (WCAG 2).
double Luminance(COLORREF colour) {
  const auto linear = [](BYTE channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
         0.0722 * linear(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
  const auto [dark, light] = std::minmax({Luminance(a), Luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

// `share` sixteenths of the way from `from` to `to`.
COLORREF Mix(COLORREF from, COLORREF to, int share) {
  const auto channel = [&](BYTE a, BYTE b) { return static_cast<BYTE>(a + (b - a) * share / 16); };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

}  // namespace

COLORREF StaleTextColour() {
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  COLORREF colour = grey;
  for (int share = 1; share <= 16 && Contrast(colour, background) < 4.5; ++share) {
    colour = Mix(grey, GetSysColor(COLOR_WINDOWTEXT), share);
  }
  return colour;
}

std::wstring WholeText(HWND control) {
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

// Measured with the box's own font, as the box draws its one line. GDI
// measures in whole pixels, so a sliver of a character counts as one.
bool TextGoesOn(HWND box) {
  if (GetWindowLongW(box, GWL_STYLE) & ES_MULTILINE) return false;
  const std::wstring text = WholeText(box);
  const RECT room = RoomForText(box);
  SIZE size{};
  WithBoxFont(box, [&](HDC dc) {
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  });
  return IsCut(size.cx, room.right - room.left);
}

void LongTextHints::Serve(HWND box, std::u16string commandTip) {
  if (tooltip_ == nullptr) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // Without a tooltip the boxes still show their mark and describe
    // themselves, so a failure here stops nothing.
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(box), nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box, GWLP_HINSTANCE)), nullptr);
  }
  KeepRoomForMark(box);
  Box& served = boxes_.emplace_back(std::move(commandTip));
  SetWindowSubclass(box, &BoxProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(&served));
  SetPropW(box, kServedProperty, &served);
  // The tooltip asks the box for its text each time it shows.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = box;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LongTextHints::SetTipFont(HFONT font) {
  if (tooltip_ != nullptr)
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Found through a property of the box, which goes with it.
LongTextHints::Box* LongTextHints::Served(HWND box) {
  return static_cast<Box*>(GetPropW(box, kServedProperty));
}

void LongTextHints::SetStale(HWND box, bool stale) {
  Box* served = Served(box);
  if (served == nullptr || served->stale == stale) return;
  served->stale = stale;
  InvalidateRect(box, nullptr, TRUE);
}

bool LongTextHints::IsStale(HWND box) {
  const Box* served = Served(box);
  return served != nullptr && served->stale;
}

// The text is read only when it is cut, the one case it is told in.
BoxHint LongTextHints::HintOf(HWND box) {
  const Box* served = Served(box);
  if (served == nullptr) return {};
  const bool cut = TextGoesOn(box);
  return HintFor(cut ? FromWide(WholeText(box)) : std::u16string(), cut, served->stale,
                 served->commandTip);
}

LRESULT CALLBACK LongTextHints::BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR served) {
  switch (message) {
    case WM_PAINT: {
      // The box repaints only what its text covers; whole, so that a mark
      // no longer wanted goes too.
      InvalidateRect(box, nullptr, TRUE);
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      if (TextGoesOn(box)) DrawMark(box);
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      KeepRoomForMark(box);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      const HWND next = reinterpret_cast<HWND>(wParam);
      const bool inWindow = next != nullptr && IsChild(GetParent(box), next);
      if (ShowsStartAgain(inWindow ? FocusGoes::ToAnotherControl : FocusGoes::OutOfTheWindow)) {
        ShowStart(box);
      }
      return result;
    }
    case WM_NOTIFY:
      // A box with nothing to tell gets an empty tooltip, which is not shown.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
        Box& self = *reinterpret_cast<Box*>(served);
        self.tip = ToWide(HintOf(box).tooltip);
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = self.tip.data();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemovePropW(box, kServedProperty);
      RemoveWindowSubclass(box, &BoxProcedure, kSubclassId);
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace quorvel::runtime::win32
