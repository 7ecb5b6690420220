#pragma once

#include <windows.h>

#include <map>

#include "runtime/form_description.h"
#include "runtime/win32/gdi_handle.h"
#include "runtime/win32/screen_scale.h"

namespace quorvel::runtime::win32 {

// Makes a font, or returns nullptr where Windows cannot (out of GDI objects).
using FontMaker = HFONT (*)(const LOGFONTW& font);
HFONT MakeFont(const LOGFONTW& font);

// The fonts of one window at one DPI: the default one (the system's message
// font) and one per FontDescription its controls ask for, each made once. A
// font that cannot be made is replaced by the default one, and that one by
// Windows' stock GUI font, so no control is ever left without a font.
class WindowFonts {
 public:
  WindowFonts(const ScreenScale& scale, const LOGFONTW& messageFont, FontMaker make = &MakeFont);

  // nullptr asks for the window's default font.
  HFONT For(const FontDescription* description);

 private:
  HFONT Default() const;

  ScreenScale scale_;
  FontMaker make_;
  GdiHandle<HFONT> default_;
  std::map<const FontDescription*, GdiHandle<HFONT>> byDescription_;
};

}  // namespace quorvel::runtime::win32
