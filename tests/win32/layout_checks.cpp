#include <windows.h>

#include <string>

#include "tests/win32/checks.h"
#include "tests/win32/expected_window.h"

namespace quorvel::wine_driver {
namespace {

std::string Rect(int left, int top, int width, int height) {
  return std::to_string(left) + "," + std::to_string(top) + " " + SizeText(width, height);
}

void CheckControl(const AppSession& app, int row, int dpi, CheckLog& log) {
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
  // Edges are scaled, not sizes, so that controls that touch still touch.
  const int left = AtDpi(expected.left, dpi);
  const int top = AtDpi(expected.top, dpi);
  const std::string wanted = Utf8(expected.windowClass) + " " +
                             Rect(left, top, AtDpi(expected.left + expected.width, dpi) - left,
                                  AtDpi(expected.top + expected.height, dpi) - top);
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

}  // namespace

std::string SizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

void CheckGeometry(const AppSession& app, int dpi, CheckLog& log) {
  RECT client{};
  GetClientRect(app.Window(), &client);
  const std::string wanted = SizeText(AtDpi(kClientWidth, dpi), AtDpi(kClientHeight, dpi));
  const std::string seen = SizeText(client.right, client.bottom);
  log.Expect(seen == wanted, "client area " + wanted, seen);
  for (int row = 0; row < std::ssize(kExpectedControls); ++row) {
    CheckControl(app, row, dpi, log);
  }
}

void CheckLayout(const AppSession& app, CheckLog& log) {
  CheckGeometry(app, kBaseDpi, log);
  CheckBoxes(app, log);
  DWORD_PTR picture = 0;
  SendMessageTimeoutW(app.Control(kImage1), STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL, 5000,
                      &picture);
  log.Expect(picture != 0, "Image1 shows a picture");
}

}  // namespace quorvel::wine_driver
