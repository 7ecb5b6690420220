#include <windows.h>

#include <string>

#include "tests/win32/checks.h"
#include "tests/win32/expected_window.h"
#include "tests/win32/inside_report.h"

namespace quorvel::wine_driver {
namespace {

std::string Size(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::string Rect(int left, int top, int width, int height) {
  return std::to_string(left) + "," + std::to_string(top) + " " + Size(width, height);
}

void CheckFrame(const AppSession& app, CheckLog& log) {
  RECT client{};
  GetClientRect(app.Window(), &client);
  log.Expect(client.right == kClientWidth && client.bottom == kClientHeight,
             "client area " + Size(kClientWidth, kClientHeight), Size(client.right, client.bottom));
}

void CheckControl(const AppSession& app, int row, CheckLog& log) {
  const ExpectedControl& expected = kExpectedControls[row];
  const HWND control = app.Control(row);
  wchar_t windowClass[64] = {};
  GetClassNameW(control, windowClass, 64);
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, app.Window(), reinterpret_cast<POINT*>(&rect), 2);
  const std::string seen =
      Utf8(windowClass) + " " +
      Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  const std::string wanted = Utf8(expected.windowClass) + " " +
                             Rect(expected.left, expected.top, expected.width, expected.height);
  log.Expect(control != nullptr && seen == wanted, std::string(expected.name) + ": " + wanted,
             seen);
}

LONG StyleOf(HWND control) {
  return GetWindowLongW(control, GWL_STYLE);
}

void CheckBoxes(const AppSession& app, CheckLog& log) {
  const LONG dataStyle = StyleOf(app.Control(kText1));
  log.Expect((dataStyle & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN) &&
                 (dataStyle & (WS_VSCROLL | WS_HSCROLL)) == 0,
             "Text1 is multi-line, takes Enter and has no scroll bars");
  DWORD_PTR limit = 0;
  SendMessageTimeoutW(app.Control(kText1), EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &limit);
  log.Expect(limit > 0xFFFF, "Text1 has no 32 K text limit", std::to_string(limit));
  for (int row : {kText2, kText3, kText4, kText5, kText6, kText7}) {
    log.Expect((StyleOf(app.Control(row)) & ES_MULTILINE) == 0,
               std::string(kExpectedControls[row].name) + " is single-line");
  }
  for (int row : {kText1, kText2, kText3, kText4, kText5, kText6}) {
    log.ExpectText(app.TextOf(app.Control(row)), L"",
                   std::string(kExpectedControls[row].name) + " at start");
  }
  log.ExpectText(app.TextOf(app.Control(kText7)), L"0.0001", "Text7 at start");
  for (int row : {kCommand1, kCommand2}) {
    log.Expect((StyleOf(app.Control(row)) & BS_TYPEMASK) == BS_PUSHBUTTON,
               std::string(kExpectedControls[row].name) + " is not a default button");
  }
}

std::string Describe(const LOGFONTW& font) {
  return Utf8(font.lfFaceName) + " " + std::to_string(font.lfHeight) + " w" +
         std::to_string(font.lfWeight) + " cs" + std::to_string(font.lfCharSet) +
         (font.lfItalic || font.lfUnderline || font.lfStrikeOut ? " styled" : "");
}

LOGFONTW ExpectedFontOf(ExpectedFont kind) {
  LOGFONTW font{};
  if (kind == ExpectedFont::Song) {
    kSongFace.copy(font.lfFaceName, kSongFace.size());
    font.lfHeight = kSongHeight;
    font.lfWeight = kSongWeight;
    font.lfCharSet = kSongCharset;
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = metrics.lfMessageFont;
  }
  return font;
}

}  // namespace

void CheckLayout(const AppSession& app, CheckLog& log) {
  CheckFrame(app, log);
  for (int row = 0; row < std::ssize(kExpectedControls); ++row) {
    CheckControl(app, row, log);
  }
  CheckBoxes(app, log);
  DWORD_PTR picture = 0;
  SendMessageTimeoutW(app.Control(kImage1), STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL, 5000,
                      &picture);
  log.Expect(picture != 0, "Image1 shows a picture");
}

void CheckFontsAndIcons(const AppSession& app, const std::wstring& hookPath, CheckLog& log) {
  const std::optional<InsideReport> report = ReadInsideReport(app, hookPath);
  log.Expect(report.has_value() && report->controlCount == std::ssize(kExpectedControls),
             "a report from inside the program on all controls");
  if (!report) return;
  log.Expect(report->commonControls6, "the manifest brings the version 6 common controls");
  const std::string icons = Size(report->bigIcon.width, report->bigIcon.height) + " and " +
                            Size(report->smallIcon.width, report->smallIcon.height);
  log.Expect(icons == "32x32 and 16x16", "window icons 32x32 and 16x16", icons);
  const int firstId = GetDlgCtrlID(app.Control(0));
  for (int i = 0; i < report->controlCount; ++i) {
    const ControlFont& reported = report->controls[i];
    const int row = reported.id - firstId;
    if (row < 0 || row >= std::ssize(kExpectedControls)) continue;
    const ExpectedControl& expected = kExpectedControls[row];
    if (expected.font == ExpectedFont::None) continue;
    const std::string wanted = Describe(ExpectedFontOf(expected.font));
    const std::string seen = reported.hasFont ? Describe(reported.font) : "no font";
    log.Expect(seen == wanted, std::string(expected.name) + " font " + wanted, seen);
  }
}

}  // namespace quorvel::wine_driver
