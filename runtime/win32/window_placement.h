#pragma once

#include <windows.h>

namespace quorvel::runtime::win32 {

// Moves `window` to the top left corner of `suggested` (where Windows puts a
// window moved to a monitor of another DPI) and sizes it so that its client
// area is `client`, whatever its frame is at the new DPI. Then moves it by the
// least distance that puts it wholly on the monitor nearest to it; a window
// larger than that monitor keeps its top left corner on it, so its caption
// stays in reach.
void PlaceWindow(HWND window, const RECT& suggested, SIZE client);

}  // namespace quorvel::runtime::win32
