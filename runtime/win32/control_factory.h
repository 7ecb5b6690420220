#pragma once

#include <windows.h>

#include "runtime/form_description.h"
#include "runtime/win32/screen_scale.h"

namespace quorvel::runtime::win32 {

// Creates the real control for one row of a description, at its place in
// pixels, with its caption or initial text; fonts and pictures are the
// caller's, who owns them.
HWND CreateControl(HWND parent, const ControlDescription& description, int id,
                   const ScreenScale& scale);

}  // namespace quorvel::runtime::win32
