#pragma once

#include <string>

#include "tests/win32/app_session.h"
#include "tests/win32/check_log.h"

namespace quorvel::wine_driver {

std::string SizeText(int width, int height);  // "443x319"

// The executable's version block, icon and manifest, read from the file.
void CheckResources(const std::wstring& exePath, CheckLog& log);
// The client area and each control's class, place and size at a DPI.
void CheckGeometry(const AppSession& app, int dpi, CheckLog& log);
// The geometry at 96 DPI, the boxes' styles and texts at start, the picture.
void CheckLayout(const AppSession& app, CheckLog& log);
// The version of the common controls and the fonts the controls draw with,
// read inside the program; at 96 DPI also the default font and the icons.
void CheckFontsAndIcons(const AppSession& app, const std::wstring& hookPath, int dpi,
                        CheckLog& log);
// Tab and Shift+Tab, Enter and Escape in the boxes.
void CheckKeyboard(const AppSession& app, CheckLog& log);
// A series typed into the data box and calculated with Alt+M; saves a
// screenshot of the window with the results.
void CheckCalculation(const AppSession& app, const std::wstring& screenshotPath, CheckLog& log);
// A bad item's message, and the Clear question answered No and Yes.
void CheckMessageBoxes(const AppSession& app, CheckLog& log);

}  // namespace quorvel::wine_driver
