#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdlib>

#include "runtime/win32/wide_text.h"
#include "runtime/win32/win32_form.h"
#include "window/static_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // Loads the version 6 controls the manifest asks for.
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const quorvel::runtime::FormDescription& description = quorvel::window::Static::Description();
  quorvel::window::Static window;
  try {
    quorvel::runtime::win32::Win32Form host(instance, description, window);
    return host.Run(showCommand);
  } catch (const quorvel::runtime::win32::HostFailure& failure) {
    const std::wstring caption = quorvel::runtime::win32::ToWide(description.caption);
    MessageBoxW(nullptr, failure.message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return EXIT_FAILURE;
  }
}
