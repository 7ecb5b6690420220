#include "tests/win32/message_box_reader.h"

#include <algorithm>
#include <utility>

namespace quorvel::wine_driver {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && ClassOf(window) == kDialogClass) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

HWND OpenDialog(const AppSession& app) {
  HWND dialog = nullptr;
  EnumThreadWindows(app.ThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

struct Reading {
  const AppSession* app;
  MessageBoxView* view;
  std::vector<std::pair<LONG, std::wstring>> buttons;  // with their left edge
};

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
  auto* reading = reinterpret_cast<Reading*>(param);
  if (!IsWindowVisible(child)) return TRUE;
  const std::wstring kind = ClassOf(child);
  if (kind == L"Button") {
    RECT rect;
    GetWindowRect(child, &rect);
    reading->buttons.emplace_back(rect.left, reading->app->TextOf(child));
  } else if (kind == L"Static") {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      // Wine keeps the icon control of an icon-less box, only without an icon.
      DWORD_PTR icon = 0;
      SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &icon);
      reading->view->hasIcon = reading->view->hasIcon || icon != 0;
    } else {
      const std::wstring text = reading->app->TextOf(child);
      if (!text.empty()) reading->view->prompt = text;
    }
  }
  return TRUE;
}

}  // namespace

std::optional<MessageBoxView> WaitForMessageBox(const AppSession& app) {
  HWND dialog = nullptr;
  if (!AppSession::WaitUntil([&] { return (dialog = OpenDialog(app)) != nullptr; })) {
    return std::nullopt;
  }
  MessageBoxView view{dialog, app.TextOf(dialog), {}, {}, false};
  Reading reading{&app, &view, {}};
  EnumChildWindows(dialog, &ReadChild, reinterpret_cast<LPARAM>(&reading));
  std::sort(reading.buttons.begin(), reading.buttons.end());
  for (auto& button : reading.buttons) view.buttons.push_back(std::move(button.second));
  return view;
}

bool NoMessageBox(const AppSession& app) {
  if (!AppSession::WaitUntil([&] { return OpenDialog(app) == nullptr; })) return false;
  // A next box would open at once; a short wait catches it.
  Sleep(200);
  return OpenDialog(app) == nullptr;
}

}  // namespace quorvel::wine_driver
