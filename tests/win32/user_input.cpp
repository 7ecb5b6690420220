#include "user_input.h"

#include <string_view>

#include "runtime/win32/wide_text.h"

namespace quorvel::win32_test {
namespace {

User* watching = nullptr;          // the hook has no context of its own
constexpr int kPromptId = 0xFFFF;  // the text of a message box

INPUT Key(WORD key, wchar_t unit, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = key != 0 ? static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) : unit;
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

std::u16string TextOf(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return runtime::win32::FromWide(text);
}

User::User(runtime::win32::Win32Form& form)
    : form_(form), hook_(SetWindowsHookExW(WH_CBT, &Watch, nullptr, GetCurrentThreadId())) {
  watching = this;
}

User::~User() {
  UnhookWindowsHookEx(hook_);
  watching = nullptr;
}

LRESULT CALLBACK User::Watch(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && watching->refuseNewWindows) return 1;
  const HWND box = reinterpret_cast<HWND>(wParam);
  wchar_t kind[8] = {};
  if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 8) &&
      std::wstring_view(kind) == L"#32770") {
    // Not yet shown, so a button's own style tells whether it is there.
    const bool question = GetWindowLongW(GetDlgItem(box, IDYES), GWL_STYLE) & WS_VISIBLE;
    watching->messages.push_back((question ? u"? " : u"") + TextOf(box) + u"=" +
                                 TextOf(GetDlgItem(box, kPromptId)));
    const int button = question ? watching->questionAnswer : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void User::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) form_.Dispatch(message);
}

void User::Send(std::vector<INPUT> keys) {
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  Pump();
}

void User::Press(WORD modifier, WORD key) {
  std::vector<INPUT> keys{Key(key, 0, 0), Key(key, 0, KEYEVENTF_KEYUP)};
  if (modifier != 0) {
    keys.insert(keys.begin(), Key(modifier, 0, 0));
    keys.push_back(Key(modifier, 0, KEYEVENTF_KEYUP));
  }
  Send(keys);
}

void User::Type(std::u16string_view text) {
  std::vector<INPUT> keys;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool enter = text.substr(i, 2) == u"\r\n";
    const WORD key = enter ? VK_RETURN : 0;
    const DWORD flags = enter ? 0 : KEYEVENTF_UNICODE;
    keys.push_back(Key(key, text[i], flags));
    keys.push_back(Key(key, text[i], flags | KEYEVENTF_KEYUP));
    i += enter;
  }
  Send(keys);
}

}  // namespace quorvel::win32_test
