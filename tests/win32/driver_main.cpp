// Drives quorvel.exe under Wine (or Windows) through its real window:
//   quorvel-wine-driver.exe QUORVEL_EXE SCREENSHOT_BMP
// Prints one line per check and exits 1 if any failed.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win32/app_session.h"
#include "tests/win32/check_log.h"
#include "tests/win32/checks.h"
#include "tests/win32/expected_window.h"
#include "tests/win32/wine_dpi_setting.h"

namespace {

std::wstring HookPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"inside_report_hook.dll";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace quorvel::wine_driver;
  if (argc != 3) {
    std::fputs("usage: quorvel-wine-driver QUORVEL_EXE SCREENSHOT_BMP\n", stderr);
    return 2;
  }
  const std::wstring exePath = argv[1];
  CheckLog log;
  CheckResources(exePath, log);
  {
    AppSession app(exePath, std::wstring(kCaption));
    log.Expect(app.Started(), "quorvel.exe shows a window captioned \"Quorvel1.2\"");
    if (app.Started()) {
      CheckLayout(app, log);
      CheckFontsAndIcons(app, HookPath(), kBaseDpi, log);
      CheckKeyboard(app, log);
      CheckCalculation(app, argv[2], log);
      CheckMessageBoxes(app, log);
      log.ExpectNumber(app.CloseAndWait(), 0, "exit code after closing the window");
    }
  }
  {
    // The conversion follows the screen: the same window at 1.5 times the DPI.
    constexpr int kHighDpi = 144;
    const WineDpiSetting highDpi(kHighDpi);
    AppSession app(exePath, std::wstring(kCaption));
    log.Expect(app.Started(), "quorvel.exe starts at 144 DPI");
    if (app.Started()) {
      CheckGeometry(app, kHighDpi, log);
      CheckFontsAndIcons(app, HookPath(), kHighDpi, log);
      app.CloseAndWait();
    }
  }
  std::printf("%d check(s) failed\n", log.Failures());
  return log.Failures() == 0 ? 0 : 1;
}
