#pragma once

#include <windows.h>

#include <list>
#include <string>

#include "runtime/box_hint.h"

namespace quorvel::runtime::win32 {

// The whole text of a control.
std::wstring WholeText(HWND control);

// Whether a single-line box's text is wider than the room the box gives it,
// so that part of it is out of sight. A multi-line box wraps its lines
// instead, so its text never runs on out of sight sideways.
bool TextGoesOn(HWND box);

// The colour a stale box's text is drawn in: the system's grey for disabled
// text, darkened towards the window's text colour where a theme leaves it
// below 4.5:1 on the box's background.
COLORREF StaleTextColour();

// Makes the single-line boxes of one window tell what their text does not:
// a box whose text is wider than it shows a mark in its right margin, and
// shows the start of its text again once the focus leaves for another
// control; a box marked stale is drawn grey by its window (see IsStale);
// the tooltip and the accessible description say what runtime/box_hint.h
// rules. The text itself is never touched, so copying it and reading its
// value give exactly the display text. Owned by the window, and outlives its
// boxes: the tooltip reads the text it shows from here.
class LongTextHints {
 public:
  LongTextHints() = default;
  LongTextHints(const LongTextHints&) = delete;
  LongTextHints& operator=(const LongTextHints&) = delete;

  // Takes on `box`, a single-line edit control; it keeps room for the mark
  // beside its text at whatever font it is given, now or later. A box with
  // nothing else to tell shows `commandTip` as its tooltip (empty: none).
  void Serve(HWND box, std::u16string commandTip);
  // The tooltip shows its text in `font`, which must outlive its use here.
  void SetTipFont(HFONT font);
  // Marks a served box stale or not, and redraws it when that changes.
  static void SetStale(HWND box, bool stale);

  // What a box tells besides its text; nothing for a box not served here,
  // or once its window is gone.
  static BoxHint HintOf(HWND box);
  static bool IsStale(HWND box);

 private:
  struct Box {
    std::u16string commandTip;
    bool stale = false;
    std::wstring tip;  // the text the tooltip last asked for
  };
  static Box* Served(HWND box);
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR served);

  HWND tooltip_ = nullptr;  // one for all the boxes, owned by their window
  std::list<Box> boxes_;    // a list: each box's subclass holds its element's address
};

}  // namespace quorvel::runtime::win32
