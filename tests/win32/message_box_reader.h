#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/win32/app_session.h"

namespace quorvel::wine_driver {

// What a message box of the program shows, read from its real controls.
struct MessageBoxView {
  HWND handle;
  std::wstring title;
  std::wstring prompt;
  std::vector<std::wstring> buttons;  // visible buttons, left to right
  bool hasIcon;
};

// Waits for a message box of the program's GUI thread to appear.
std::optional<MessageBoxView> WaitForMessageBox(const AppSession& app);
// Whether the program shows no message box (after waiting for one to close).
bool NoMessageBox(const AppSession& app);

}  // namespace quorvel::wine_driver
