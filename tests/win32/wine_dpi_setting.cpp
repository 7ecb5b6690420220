#include "tests/win32/wine_dpi_setting.h"

namespace quorvel::wine_driver {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kDpiValue[] = L"LogPixels";

void WriteDpi(DWORD dpi) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, REG_DWORD, &dpi, sizeof dpi);
}

}  // namespace

WineDpiSetting::WineDpiSetting(DWORD dpi) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) == ERROR_SUCCESS) {
    previous_ = value;
  }
  WriteDpi(dpi);
}

WineDpiSetting::~WineDpiSetting() {
  if (previous_) {
    WriteDpi(*previous_);
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue);
  }
}

}  // namespace quorvel::wine_driver
