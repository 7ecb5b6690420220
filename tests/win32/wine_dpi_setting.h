#pragma once

#include <windows.h>

#include <optional>

namespace quorvel::wine_driver {

// Sets the DPI that Wine gives to programs started while this object lives
// (LogPixels under HKCU\Control Panel\Desktop) and puts the old setting back.
// Windows itself would only apply it at the next logon.
class WineDpiSetting {
 public:
  explicit WineDpiSetting(DWORD dpi);
  ~WineDpiSetting();
  WineDpiSetting(const WineDpiSetting&) = delete;
  WineDpiSetting& operator=(const WineDpiSetting&) = delete;

 private:
  std::optional<DWORD> previous_;
};

}  // namespace quorvel::wine_driver
