#include "runtime/win32/window_placement.h"

#include <algorithm>
#include <climits>

namespace quorvel::runtime::win32 {
namespace {

SIZE FrameOf(HWND window) {
  RECT outside;
  RECT inside;
  GetWindowRect(window, &outside);
  GetClientRect(window, &inside);
  return {outside.right - outside.left - inside.right,
          outside.bottom - outside.top - inside.bottom};
}

// Shifts `place` into the work area of the monitor nearest to it.
RECT OnNearestMonitor(RECT place) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const LONG left =
      std::max(work.left, std::min(place.left, work.right - (place.right - place.left)));
  const LONG top =
      std::max(work.top, std::min(place.top, work.bottom - (place.bottom - place.top)));
  OffsetRect(&place, left - place.left, top - place.top);
  return place;
}

void MoveTo(HWND window, const RECT& place) {
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The suggested size is not taken: Windows scales the whole window, frame and
// all, which can miss the client size by a pixel, and a rectangle sent by any
// other program may be of any size. The frame is measured twice, because
// Windows gives the window its new frame only once it has moved.
void PlaceWindow(HWND window, const RECT& suggested, SIZE client) {
  // Window coordinates are 16-bit at heart; a corner beyond them is off every
  // screen anyway, and the sums below stay far from overflowing.
  const LONG left = std::clamp<LONG>(suggested.left, SHRT_MIN, SHRT_MAX);
  const LONG top = std::clamp<LONG>(suggested.top, SHRT_MIN, SHRT_MAX);
  for (int pass = 0; pass < 2; ++pass) {
    const SIZE frame = FrameOf(window);
    MoveTo(window, {left, top, left + client.cx + frame.cx, top + client.cy + frame.cy});
  }
  RECT place;
  GetWindowRect(window, &place);
  MoveTo(window, OnNearestMonitor(place));
}

}  // namespace quorvel::runtime::win32
