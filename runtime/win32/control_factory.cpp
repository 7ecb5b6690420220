#include "runtime/win32/control_factory.h"

#include <stdexcept>
#include <string>

#include "runtime/win32/wide_text.h"

namespace quorvel::runtime::win32 {
namespace {

// What Windows makes of one kind of control: its window class, the styles
// beyond WS_CHILD | WS_VISIBLE and the extended styles. Labels and pictures
// take no focus, so they carry no WS_TABSTOP.
struct KindRow {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

// A multi-line box wraps words rather than scrolling sideways and takes Enter
// as a line break. It scrolls with the caret: without ES_AUTOVSCROLL an edit
// control refuses any text beyond its last visible line.
constexpr DWORD kMultiLineStyle =
    WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;

// No default: the compiler names any kind left out.
KindRow RowOf(const ControlDescription& description) {
  switch (description.kind) {
    case ControlKind::TextBox:
      return {L"Edit",
              description.multiLine ? kMultiLineStyle : WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::Label:
      return {L"Static", SS_LEFT, 0};
    case ControlKind::CommandButton:
      // BS_NOTIFY: the window learns when a button takes the focus.
      return {L"Button", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0};
    case ControlKind::Image:
      // The picture fills the control's own size, so it scales with the DPI.
      return {L"Static", SS_BITMAP | SS_REALSIZECONTROL, 0};
  }
  // Only a value cast from outside the enumeration gets here.
  throw std::logic_error("unknown control kind");
}

}  // namespace

HWND CreateControl(HWND parent, const ControlDescription& description, int id) {
  const KindRow row = RowOf(description);
  const std::wstring text = ToWide(description.text);
  const HWND control = CreateWindowExW(
      row.exStyle, row.windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | row.style, 0, 0, 0, 0,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  // A box has no length limit of its own; an edit control stops near 32 K
  // characters unless told otherwise.
  if (control != nullptr && description.kind == ControlKind::TextBox) {
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  }
  return control;
}

}  // namespace quorvel::runtime::win32
