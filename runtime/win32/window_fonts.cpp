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

WindowFonts::WindowFonts(const ScreenScale& scale) : scale_(scale) {
  const LOGFONTW font = MessageFont();
  default_.reset(CreateFontIndirectW(&font));
}

HFONT WindowFonts::For(const FontDescription* description) {
  if (description == nullptr) return default_.get();
  GdiHandle<HFONT>& font = byDescription_[description];
  if (!font) {
    const LOGFONTW logFont = LogFontOf(*description, scale_);
    font.reset(CreateFontIndirectW(&logFont));
  }
  return font.get();
}

}  // namespace quorvel::runtime::win32
