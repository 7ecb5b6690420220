#pragma once

#include <windows.h>

namespace quorvel::runtime::win32 {

// What Windows 10 tells a per-monitor aware program about the DPI of one
// monitor. Windows 7 and 8 lack these calls and run the program at the one
// system DPI, so there each answer is the system's scaled to `dpi`.

// The DPI of the monitor the window is on.
int WindowDpi(HWND window);

// GetSystemMetrics at `dpi`.
int SystemMetricForDpi(int index, int dpi);

// The system's message font at `dpi`.
LOGFONTW MessageFontForDpi(int dpi);

// The size of a window of `style` whose client area is `client`, with the
// frame it has at `dpi`.
SIZE WindowSizeForDpi(SIZE client, DWORD style, int dpi);

}  // namespace quorvel::runtime::win32
