#include "runtime/win32/edit_menu.h"

#include <windowsx.h>

#include <memory>
#include <type_traits>

#include "runtime/win32/wide_text.h"

namespace quorvel::runtime::win32 {
namespace {

// An entry's ID is the message that does its edit; the captions' IDs lie
// above every message an entry sends.
constexpr UINT kFirstCaptionId = 0x8000;

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};

}  // namespace

std::optional<std::size_t> ShowEditMenu(HWND box, LPARAM where,
                                        std::span<const std::u16string_view> captions) {
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const bool editable = !(GetWindowLongW(box, GWL_STYLE) & ES_READONLY);
  const auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
  struct Entry {
    const wchar_t* caption;  // nullptr: a separator
    UINT message;
    bool enabled;
  };
  const Entry entries[] = {
      {L"撤消(&U)", WM_UNDO, editable && SendMessageW(box, EM_CANUNDO, 0, 0) != 0},
      {L"剪切(&T)", WM_CUT, editable && selected},
      {L"复制(&C)", WM_COPY, selected},
      {L"粘贴(&P)", WM_PASTE, editable && IsClipboardFormatAvailable(CF_UNICODETEXT)},
      {L"删除(&D)", WM_CLEAR, editable && selected},
      {nullptr, 0, false},
      {L"全选(&A)", EM_SETSEL, start != 0 || end != length},
  };
  const std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> menu(CreatePopupMenu());
  if (menu == nullptr) return std::nullopt;
  for (const Entry& entry : entries) {
    const UINT flags = entry.caption == nullptr ? MF_SEPARATOR : entry.enabled ? 0 : MF_GRAYED;
    AppendMenuW(menu.get(), flags, entry.message, entry.caption);
  }
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (i == 0) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    const std::wstring caption = ToWide(captions[i]);
    AppendMenuW(menu.get(), MF_STRING, kFirstCaptionId + i, caption.c_str());
  }
  // Opened by a key, the menu stands in the middle of the box, as the
  // system's own does.
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {
    RECT client;
    GetClientRect(box, &client);
    at = {client.right / 2, client.bottom / 2};
    ClientToScreen(box, &at);
  }
  SetFocus(box);
  const UINT chosen =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, box, nullptr);
  if (chosen >= kFirstCaptionId) return chosen - kFirstCaptionId;
  if (chosen == EM_SETSEL) {
    SendMessageW(box, EM_SETSEL, 0, -1);
  } else if (chosen != 0) {
    SendMessageW(box, chosen, 0, 0);
  }
  return std::nullopt;
}

}  // namespace quorvel::runtime::win32
