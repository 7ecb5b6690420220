#pragma once

#include <string>

#include "tests/win32/app_session.h"
#include "tests/win32/check_log.h"

namespace quorvel::wine_driver {

// The executable's version block, icon and manifest, read from the file.
void CheckResources(const std::wstring& exePath, CheckLog& log);
// The window's client size, each control's class, place and size, the boxes'
// styles and their texts at start.
void CheckLayout(const AppSession& app, CheckLog& log);
// The window's icons, the fonts its controls draw with and the version of
// its common controls, read inside the program.
void CheckFontsAndIcons(const AppSession& app, const std::wstring& hookPath, CheckLog& log);
// Tab and Shift+Tab, Enter and Escape in the boxes.
void CheckKeyboard(const AppSession& app, CheckLog& log);
// A series typed into the data box and calculated with Alt+M; saves a
// screenshot of the window with the results.
void CheckCalculation(const AppSession& app, const std::wstring& screenshotPath, CheckLog& log);
// A bad item's message, and the Clear question answered No and Yes.
void CheckMessageBoxes(const AppSession& app, CheckLog& log);

}  // namespace quorvel::wine_driver
