#pragma once

#include <windows.h>

#include <string>

namespace quorvel::wine_driver {

// Saves what the screen shows of the window, frame included, as a 24-bit BMP.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace quorvel::wine_driver
