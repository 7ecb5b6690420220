#include "runtime/win32/long_text.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

namespace quorvel::runtime::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

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

}  // namespace

std::wstring WholeText(HWND control) {
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

// Measured with the box's own font, as the box draws its one line.
bool TextGoesOn(HWND box) {
  if (GetWindowLongW(box, GWL_STYLE) & ES_MULTILINE) return false;
  const std::wstring text = WholeText(box);
  const RECT room = RoomForText(box);
  SIZE size{};
  WithBoxFont(box, [&](HDC dc) {
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  });
  return size.cx > room.right - room.left;
}

void LongTextHints::Serve(HWND box) {
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
  SetWindowSubclass(box, &BoxProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
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

LRESULT CALLBACK LongTextHints::BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR hints) {
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
      ShowStart(box);
      return result;
    }
    case WM_NOTIFY:
      // A text that fits needs no tooltip: an empty one is not shown.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
        auto& self = *reinterpret_cast<LongTextHints*>(hints);
        self.tip_ = TextGoesOn(box) ? WholeText(box) : std::wstring();
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = self.tip_.data();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &BoxProcedure, kSubclassId);
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace quorvel::runtime::win32
