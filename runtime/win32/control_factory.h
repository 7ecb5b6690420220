#pragma once

#include <windows.h>

#include "runtime/form_description.h"

namespace quorvel::runtime::win32 {

// Creates the real control for one row of a description, with its caption or
// initial text; its place, font and picture are the caller's, who lays the
// controls out at the window's DPI and owns fonts and pictures.
HWND CreateControl(HWND parent, const ControlDescription& description, int id);

}  // namespace quorvel::runtime::win32
