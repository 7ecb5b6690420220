#include "tests/win32/keyboard_input.h"

#include <vector>

namespace quorvel::wine_driver {
namespace {

INPUT Key(WORD virtualKey, WORD scanCode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = flags;
  return input;
}

void Send(std::vector<INPUT>& inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // Lets the program's thread take the keys before the next step looks.
  Sleep(50);
}

}  // namespace

void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> inputs;
  for (WORD key : chord) {
    inputs.push_back(Key(key, static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0));
  }
  for (auto key = std::rbegin(chord); key != std::rend(chord); ++key) {
    inputs.push_back(
        Key(*key, static_cast<WORD>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

void TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(Key(0, c, KEYEVENTF_UNICODE));
    inputs.push_back(Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

}  // namespace quorvel::wine_driver
