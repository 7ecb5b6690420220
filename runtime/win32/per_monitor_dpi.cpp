#include "runtime/win32/per_monitor_dpi.h"

#include "runtime/win32/screen_scale.h"

namespace quorvel::runtime::win32 {
namespace {

// A function of user32 that Windows 10 added, or nullptr before it. Looked up
// on each call: only a DPI change asks, and rarely.
template <typename Function>
Function* User32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  // Through the generic function type, which casts to any other.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

int SystemDpi() {
  return ScreenScale::OfScreen().Dpi();
}

}  // namespace

int WindowDpi(HWND window) {
  const auto dpiOf = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
  return dpiOf != nullptr ? static_cast<int>(dpiOf(window)) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  const auto metricFor = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
  if (metricFor != nullptr) return metricFor(index, dpi);
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

LOGFONTW MessageFontForDpi(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const auto parametersFor =
      User32Function<BOOL WINAPI(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
  if (parametersFor != nullptr &&
      parametersFor(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return metrics.lfMessageFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return metrics.lfMessageFont;
}

SIZE WindowSizeForDpi(SIZE client, DWORD style, int dpi) {
  RECT frame{0, 0, client.cx, client.cy};
  const auto adjustFor =
      User32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (adjustFor == nullptr || !adjustFor(&frame, style, FALSE, 0, dpi)) {
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace quorvel::runtime::win32
