#include "runtime/win32/window_fonts.h"

#include <algorithm>
#include <iterator>

namespace quorvel::runtime::win32 {
namespace {

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

// Windows maps a face it lacks through its own substitutes and the character
// set, so the face is asked for by name: it is the face the control reports,
// whatever draws it.
LOGFONTW LogFontOf(const FontSpec& spec, const ScreenScale& scale) {
  LOGFONTW font{};
  font.lfHeight = scale.FontHeight(spec.pointSize);
  font.lfWeight = spec.weight;
  font.lfCharSet = static_cast<BYTE>(spec.charset);
  const std::size_t length = std::min(spec.face.size(), std::size(font.lfFaceName) - 1);
  std::copy_n(spec.face.begin(), length, font.lfFaceName);
  return font;
}

}  // namespace

WindowFonts::WindowFonts(const ScreenScale& scale) : scale_(scale) {
  const LOGFONTW font = MessageFont();
  default_.reset(CreateFontIndirectW(&font));
}

HFONT WindowFonts::For(const FontSpec* spec) {
  if (spec == nullptr) return default_.get();
  GdiHandle<HFONT>& font = bySpec_[spec];
  if (!font) {
    const LOGFONTW logFont = LogFontOf(*spec, scale_);
    font.reset(CreateFontIndirectW(&logFont));
  }
  return font.get();
}

}  // namespace quorvel::runtime::win32
