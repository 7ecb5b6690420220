#include "tests/win32/inside_report.h"

#include <cstring>

namespace quorvel::wine_driver {
namespace {

constexpr wchar_t kReceiverClass[] = L"QuorvelInsideReceiver";

LRESULT CALLBACK ReceiverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
  auto* report =
      reinterpret_cast<std::optional<InsideReport>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (data->cbData != sizeof(InsideReport)) return FALSE;
  report->emplace();
  std::memcpy(&report->value(), data->lpData, sizeof(InsideReport));
  return TRUE;
}

// A message-only window that the hook sends its report to.
HWND CreateReceiver(std::optional<InsideReport>& report) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &ReceiverProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kReceiverClass;
  RegisterClassExW(&windowClass);
  const HWND receiver = CreateWindowExW(0, kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrW(receiver, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&report));
  return receiver;
}

}  // namespace

std::optional<InsideReport> ReadInsideReport(const AppSession& app, const std::wstring& hookPath) {
  std::optional<InsideReport> report;
  const HMODULE hookModule = LoadLibraryW(hookPath.c_str());
  if (hookModule == nullptr) return report;
  const auto hookProcedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(hookModule, kInsideReportHookName)));
  const HHOOK hook = hookProcedure != nullptr ? SetWindowsHookExW(WH_CALLWNDPROC, hookProcedure,
                                                                  hookModule, app.ThreadId())
                                              : nullptr;
  if (hook != nullptr) {
    const HWND receiver = CreateReceiver(report);
    DWORD_PTR result = 0;
    // While this call waits, the hook's WM_COPYDATA reaches the receiver.
    SendMessageTimeoutW(app.Window(), RegisterWindowMessageW(kInsideReportMessage),
                        reinterpret_cast<WPARAM>(receiver), 0, SMTO_NORMAL, 5000, &result);
    DestroyWindow(receiver);
    UnhookWindowsHookEx(hook);
  }
  FreeLibrary(hookModule);
  return report;
}

}  // namespace quorvel::wine_driver
