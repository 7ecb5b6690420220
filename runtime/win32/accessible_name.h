#pragma once

#include <windows.h>

#include <string_view>

namespace quorvel::runtime::win32 {

// Makes screen readers (MSAA, and UI Automation through its MSAA proxy) call
// the control `name` rather than after a label placed before it. A reader may
// hold the control's accessible object after the window is gone, so `name`
// must live as long as the program, as the window description's texts do.
// A single-line box whose text is wider than the box also describes itself
// by its whole text.
void SetAccessibleName(HWND control, const std::u16string_view& name);

}  // namespace quorvel::runtime::win32
