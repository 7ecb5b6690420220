#pragma once

#include <windows.h>

namespace quorvel::wine_driver {

// Under Wine a window's fonts and icons can only be read inside its own
// process (WM_GETFONT and WM_GETICON from outside return nothing), and so can
// the version of its common controls. So the driver hooks
// inside_report_hook.dll into quorvel.exe and sends its window this
// registered message with the handle of a receiver window as wParam; the hook
// answers with one WM_COPYDATA that holds an InsideReport.
inline constexpr wchar_t kInsideReportMessage[] = L"Quorvel.InsideReport";
inline constexpr char kInsideReportHookName[] = "InsideReportHook";

struct IconSize {
  int width;  // 0 when the window has no such icon
  int height;
};

struct ControlFont {
  int id;
  BOOL hasFont;
  LOGFONTW font;
};

inline constexpr int kMaxReportedControls = 64;

struct InsideReport {
  BOOL commonControls6;  // its buttons are the version 6 common controls
  IconSize bigIcon;
  IconSize smallIcon;
  int controlCount;
  ControlFont controls[kMaxReportedControls];
};

}  // namespace quorvel::wine_driver
