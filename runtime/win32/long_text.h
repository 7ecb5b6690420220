#pragma once

#include <windows.h>

#include <string>

namespace quorvel::runtime::win32 {

// The whole text of a control.
std::wstring WholeText(HWND control);

// Whether a single-line box's text is wider than the room the box gives it,
// so that part of it is out of sight. A multi-line box wraps its lines
// instead, so its text never runs on out of sight sideways.
bool TextGoesOn(HWND box);

// Makes the single-line boxes of one window readable when their text is wider
// than they are: such a box shows a mark in its right margin, offers its
// whole text as a tooltip, and shows the start of its text again once the
// focus leaves it. The text itself is never touched, so copying it and
// reading its value give exactly the display text. Owned by the window, and
// outlives its boxes: the tooltip reads the text it shows from here.
class LongTextHints {
 public:
  LongTextHints() = default;
  LongTextHints(const LongTextHints&) = delete;
  LongTextHints& operator=(const LongTextHints&) = delete;

  // Takes on `box`, a single-line edit control; it keeps room for the mark
  // beside its text at whatever font it is given, now or later.
  void Serve(HWND box);
  // The tooltip shows its text in `font`, which must outlive its use here.
  void SetTipFont(HFONT font);

 private:
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR hints);

  HWND tooltip_ = nullptr;  // one for all the boxes, owned by their window
  std::wstring tip_;        // the text the tooltip last asked for
};

}  // namespace quorvel::runtime::win32
