#include "runtime/win32/window_fonts.h"

#include <algorithm>
#include <iterator>

namespace quorvel::runtime::win32 {
namespace {

// Windows maps a face it lacks through its own substitutes and the character
// set, so the face is asked for by name: it is the face the control reports,
// whatever draws it.
LOGFONTW LogFontOf(const FontDescription& description, const ScreenScale& scale) {
  LOGFONTW font{};
  font.lfHeight = scale.FontHeight(description.pointSize);
  font.lfWeight = description.weight;
  font.lfCharSet = static_cast<BYTE>(description.charset);
  const std::size_t length = std::min(description.face.size(), std::size(font.lfFaceName) - 1);
  std::copy_n(description.face.begin(), length, font.lfFaceName);
  return font;
}

}  // namespace

HFONT MakeFont(const LOGFONTW& font) {
  return CreateFontIndirectW(&font);
}

WindowFonts::WindowFonts(const ScreenScale& scale, const LOGFONTW& messageFont, FontMaker make)
    : scale_(scale), make_(make), default_(make_(messageFont)) {}

HFONT WindowFonts::Default() const {
  if (default_) return default_.get();
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT WindowFonts::For(const FontDescription* description) {
  if (description == nullptr) return Default();
  GdiHandle<HFONT>& font = byDescription_[description];
  if (!font) font.reset(make_(LogFontOf(*description, scale_)));
  return font ? font.get() : Default();
}

}  // namespace quorvel::runtime::win32
