#include <windows.h>

#include <string>

#include "tests/win32/checks.h"
#include "tests/win32/expected_window.h"
#include "tests/win32/inside_report.h"

namespace quorvel::wine_driver {
namespace {

std::string Describe(const LOGFONTW& font) {
  return Utf8(font.lfFaceName) + " " + std::to_string(font.lfHeight) + " w" +
         std::to_string(font.lfWeight) + " cs" + std::to_string(font.lfCharSet) +
         (font.lfItalic || font.lfUnderline || font.lfStrikeOut ? " styled" : "");
}

LOGFONTW SongFont(int dpi) {
  LOGFONTW font{};
  kSongFace.copy(font.lfFaceName, kSongFace.size());
  font.lfHeight = -AtDpi(kSongCharacterHeight, dpi);
  font.lfWeight = kSongWeight;
  font.lfCharSet = kSongCharset;
  return font;
}

// The driver itself runs at the base DPI, so it knows the system's message
// font, which is the window's default, only there.
LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont;
}

void CheckFont(const ControlFont& reported, const LOGFONTW& expectedFont, std::string_view name,
               CheckLog& log) {
  const std::string wanted = Describe(expectedFont);
  const std::string seen = reported.hasFont ? Describe(reported.font) : "no font";
  log.Expect(seen == wanted, std::string(name) + " font " + wanted, seen);
}

}  // namespace

void CheckFontsAndIcons(const AppSession& app, const std::wstring& hookPath, int dpi,
                        CheckLog& log) {
  const std::optional<InsideReport> report = ReadInsideReport(app, hookPath);
  log.Expect(report.has_value() && report->controlCount == std::ssize(kExpectedControls),
             "a report from inside the program on all controls");
  if (!report) return;
  log.Expect(report->commonControls6, "the manifest brings the version 6 common controls");
  const bool atBaseDpi = dpi == kBaseDpi;
  if (atBaseDpi) {
    const std::string icons = SizeText(report->bigIcon.width, report->bigIcon.height) + " and " +
                              SizeText(report->smallIcon.width, report->smallIcon.height);
    log.Expect(icons == "32x32 and 16x16", "window icons 32x32 and 16x16", icons);
  }
  const int firstId = GetDlgCtrlID(app.Control(0));
  for (int i = 0; i < report->controlCount; ++i) {
    const ControlFont& reported = report->controls[i];
    const int row = reported.id - firstId;
    if (row < 0 || row >= std::ssize(kExpectedControls)) continue;
    const ExpectedControl& expected = kExpectedControls[row];
    if (expected.font == ExpectedFont::Song) {
      CheckFont(reported, SongFont(dpi), expected.name, log);
    } else if (expected.font == ExpectedFont::WindowDefault && atBaseDpi) {
      CheckFont(reported, MessageFont(), expected.name, log);
    }
  }
}

}  // namespace quorvel::wine_driver
