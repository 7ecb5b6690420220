#include "tests/win32/app_session.h"

#include <vector>

namespace quorvel::wine_driver {
namespace {

constexpr int kFirstControlId = 1000;
constexpr UINT kMessageTimeoutMs = 5000;

struct WindowSearch {
  DWORD processId;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (processId != search->processId || *search->caption != caption || !IsWindowVisible(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

AppSession::AppSession(const std::wstring& exePath, const std::wstring& caption) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exePath + L"\"";
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    return;
  }
  WaitForInputIdle(process_.hProcess, 10000);
  WindowSearch search{process_.dwProcessId, &caption, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      10000);
  window_ = search.found;
  if (window_ != nullptr) threadId_ = GetWindowThreadProcessId(window_, nullptr);
}

AppSession::~AppSession() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND AppSession::Control(int row) const {
  return GetDlgItem(window_, kFirstControlId + row);
}

std::wstring AppSession::TextOf(HWND control) const {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kMessageTimeoutMs, &length);
  std::vector<wchar_t> text(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, kMessageTimeoutMs, &copied);
  return std::wstring(text.data(), copied);
}

void AppSession::SetTextOf(HWND control, const std::wstring& text) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                      kMessageTimeoutMs, &result);
}

HWND AppSession::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

void AppSession::Activate() const {
  SetForegroundWindow(window_);
  WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000);
}

bool AppSession::WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(20);
  }
  return true;
}

long AppSession::CloseAndWait() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
  DWORD exitCode = 0;
  GetExitCodeProcess(process_.hProcess, &exitCode);
  return static_cast<long>(exitCode);
}

}  // namespace quorvel::wine_driver
