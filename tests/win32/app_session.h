#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quorvel::wine_driver {

// One run of quorvel.exe: starts it, finds its window by caption, and reads
// and writes its controls from outside, as a user's tools would.
class AppSession {
 public:
  AppSession(const std::wstring& exePath, const std::wstring& caption);
  ~AppSession();
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  bool Started() const { return window_ != nullptr; }
  HWND Window() const { return window_; }
  DWORD ThreadId() const { return threadId_; }

  // Controls are numbered from 1000 in the order of the window description.
  HWND Control(int row) const;
  std::wstring TextOf(HWND control) const;
  void SetTextOf(HWND control, const std::wstring& text) const;
  // The control that has the keyboard focus in the program's GUI thread.
  HWND Focus() const;
  // Brings the window to the front, so that keyboard input reaches it.
  void Activate() const;

  // Polls until the condition holds; false after the timeout.
  static bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

  // Closes the window as a user would and returns the program's exit code,
  // or -1 if it did not end.
  long CloseAndWait();

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
};

}  // namespace quorvel::wine_driver
