#pragma once

#include <windows.h>

#include <string_view>

namespace quorvel::runtime::win32 {

// Makes screen readers (MSAA, and UI Automation through its MSAA proxy) call
// the control `name` rather than after a label placed before it. A reader may
// hold the control's accessible object after the window is gone, so `name`
// must live as long as the program, as the window description's texts do.
// A single-line box also describes itself as its tooltip does
// (LongTextHints::HintOf).
void SetAccessibleName(HWND control, const std::u16string_view& name);

// Whether an edit control made under `parent` tells accessibility clients
// itself when its text is set (Windows' does; Wine's does not), so that a
// host raising the event as well would have it heard twice.
bool EditTellsValueChanges(HWND parent);

}  // namespace quorvel::runtime::win32
