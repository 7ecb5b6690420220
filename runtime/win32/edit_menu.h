#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace quorvel::runtime::win32 {

// Shows the context menu of an edit box at `where` (a WM_CONTEXTMENU's
// lParam: screen coordinates, or -1, -1 when opened by a key): the system's
// own edit entries, enabled as its own menu enables them, then `captions`
// after a separator. Does the edit chosen; returns the index of the caption
// chosen, if one was.
std::optional<std::size_t> ShowEditMenu(HWND box, LPARAM where,
                                        std::span<const std::u16string_view> captions);

}  // namespace quorvel::runtime::win32
