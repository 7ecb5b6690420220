// Runs inside quorvel.exe as a WH_CALLWNDPROC hook and reports the window's
// icons, its controls' fonts and their common controls version to the driver.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "tests/win32/inside_report_protocol.h"

namespace {

using quorvel::wine_driver::ControlFont;
using quorvel::wine_driver::IconSize;
using quorvel::wine_driver::InsideReport;

IconSize SizeOf(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

IconSize IconOf(HWND window, WPARAM kind) {
  return SizeOf(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0)));
}

bool IsButton(HWND control) {
  wchar_t windowClass[16] = {};
  GetClassNameW(control, windowClass, 16);
  return lstrcmpiW(windowClass, L"Button") == 0;
}

BOOL CALLBACK CollectControl(HWND control, LPARAM param) {
  auto* report = reinterpret_cast<InsideReport*>(param);
  // Only the version 6 button knows its ideal size.
  SIZE ideal{};
  if (IsButton(control) &&
      SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) {
    report->commonControls6 = TRUE;
  }
  if (report->controlCount == quorvel::wine_driver::kMaxReportedControls) return FALSE;
  ControlFont& entry = report->controls[report->controlCount++];
  entry.id = GetDlgCtrlID(control);
  if (const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) {
    entry.hasFont = GetObjectW(font, sizeof entry.font, &entry.font) == sizeof entry.font;
  }
  return TRUE;
}

void Report(HWND window, HWND receiver) {
  InsideReport report{FALSE, IconOf(window, ICON_BIG), IconOf(window, ICON_SMALL), 0, {}};
  EnumChildWindows(window, &CollectControl, reinterpret_cast<LPARAM>(&report));
  COPYDATASTRUCT data{0, sizeof report, &report};
  SendMessageW(receiver, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
               reinterpret_cast<LPARAM>(&data));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    InsideReportHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT reportMessage =
      RegisterWindowMessageW(quorvel::wine_driver::kInsideReportMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == reportMessage) {
    Report(call->hwnd, reinterpret_cast<HWND>(call->wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
