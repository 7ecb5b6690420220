#include "runtime/win32/control_factory.h"

#include <string>

#include "runtime/win32/wide_text.h"

namespace quorvel::runtime::win32 {
namespace {

// Columns: kind, window class, styles beyond WS_CHILD | WS_VISIBLE, extended
// styles. Labels and pictures take no focus, so they carry no WS_TABSTOP.
struct KindRow {
  ControlKind kind;
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

constexpr KindRow kKinds[] = {
    {ControlKind::TextBox, L"Edit", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::Label, L"Static", SS_LEFT, 0},
    {ControlKind::CommandButton, L"Button", WS_TABSTOP | BS_PUSHBUTTON, 0},
    // The picture fills the control's own size, so it scales with the DPI.
    {ControlKind::Image, L"Static", SS_BITMAP | SS_REALSIZECONTROL, 0},
};

// A multi-line box wraps words rather than scrolling sideways and takes Enter
// as a line break. It scrolls with the caret: without ES_AUTOVSCROLL an edit
// control refuses any text beyond its last visible line.
constexpr DWORD kMultiLineStyle =
    WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;

const KindRow& RowOf(ControlKind kind) {
  for (const KindRow& row : kKinds) {
    if (row.kind == kind) return row;
  }
  return kKinds[0];
}

}  // namespace

HWND CreateControl(HWND parent, const ControlDescription& description, int id,
                   const ScreenScale& scale) {
  const KindRow& row = RowOf(description.kind);
  const DWORD style = description.multiLine ? kMultiLineStyle : row.style;
  const std::wstring text = ToWide(description.text);
  const PixelRect place = scale.Rect(description.rect);
  const HWND control = CreateWindowExW(
      row.exStyle, row.windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
      place.top, place.width, place.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  // A box has no length limit of its own; an edit control stops near 32 K
  // characters unless told otherwise.
  if (description.kind == ControlKind::TextBox) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  return control;
}

}  // namespace quorvel::runtime::win32
