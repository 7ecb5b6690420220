#pragma once

#include <windows.h>

#include <map>

#include "runtime/form_description.h"
#include "runtime/win32/gdi_handle.h"
#include "runtime/win32/screen_scale.h"

namespace quorvel::runtime::win32 {

// The fonts of one window: the default one (the system's message font) and one
// per FontDescription its controls ask for, each created once at the screen DPI.
class WindowFonts {
 public:
  explicit WindowFonts(const ScreenScale& scale);

  // nullptr asks for the window's default font.
  HFONT For(const FontDescription* description);

 private:
  ScreenScale scale_;
  GdiHandle<HFONT> default_;
  std::map<const FontDescription*, GdiHandle<HFONT>> byDescription_;
};

}  // namespace quorvel::runtime::win32
