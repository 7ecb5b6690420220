#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win32/win32_form.h"

namespace quorvel::win32_test {

// A user at the window, on the window's own thread: keys go through Windows'
// input queue and the host's message handling before a call returns, and
// every message box is read and answered by pressing a button.
class User {
 public:
  explicit User(runtime::win32::Win32Form& form);
  ~User();
  User(const User&) = delete;
  User& operator=(const User&) = delete;

  void Press(WORD modifier, WORD key);  // modifier 0: none
  void Type(std::u16string_view text);  // CR LF as the Enter key
  void Pump();

  int questionAnswer = IDYES;  // OK-only boxes are answered OK
  bool refuseNewWindows = false;
  std::vector<std::u16string> messages;  // "title=prompt", "? " before a Yes/No question

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);
  void Send(std::vector<INPUT> keys);

  runtime::win32::Win32Form& form_;
  HHOOK hook_;
};

std::u16string TextOf(HWND window);

}  // namespace quorvel::win32_test
