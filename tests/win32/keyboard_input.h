#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace quorvel::wine_driver {

// Real keyboard input through SendInput, delivered to the foreground window
// as a user's keystrokes are.

// Presses the keys in order and releases them in reverse: {VK_MENU, 'M'} is Alt+M.
void PressKeys(std::initializer_list<WORD> chord);
// Types each character as a Unicode keystroke.
void TypeText(std::wstring_view text);

}  // namespace quorvel::wine_driver
