#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "runtime/win32/win32_form.h"
#include "window/static_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // Loads the version 6 controls the manifest asks for.
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  quorvel::window::Static window;
  quorvel::runtime::win32::Win32Form host(instance, quorvel::window::Static::Description(), window);
  return host.Run(showCommand);
}
