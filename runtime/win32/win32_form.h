#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "runtime/form_description.h"
#include "runtime/form_services.h"
#include "runtime/win32/gdi_handle.h"
#include "runtime/win32/long_text.h"
#include "runtime/win32/screen_scale.h"
#include "runtime/win32/window_fonts.h"

namespace quorvel::runtime::win32 {

// Thrown when the window cannot be made or its message loop fails; the
// message tells the user why, in Chinese.
struct HostFailure {
  std::wstring message;
};

// Hosts a window description as a top-level window with real Win32 controls:
// places them in pixels at the DPI of the monitor the window is on, again
// whenever that changes, delivers button clicks, menu commands and box
// changes to the ClickTarget by name and serves the commands' box texts,
// stale marks, clipboard and message boxes. Pictures are resources named after their form (icon) or
// control (bitmap). All state of the window lives here, not in globals.
class Win32Form final : public FormServices {
 public:
  Win32Form(HINSTANCE instance, const FormDescription& description, ClickTarget& target);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  // Shows the window and runs its message loop until it is closed; returns
  // the program's exit code.
  int Run(int showCommand);
  // Handles one message as the loop does, with the dialog manager's keys, so
  // that code sharing the window's thread can pump its messages.
  void Dispatch(MSG& message);

  HWND Window() const { return window_; }
  // The control named `name`; an unknown name is a programming error.
  HWND HandleOf(std::string_view name) const;

  std::u16string Text(std::string_view box) const override;
  std::size_t TextLength(std::string_view box) const override;
  void SetText(std::string_view box, std::u16string_view text) override;
  void SelectText(std::string_view box, std::size_t start, std::size_t length) override;
  void SetStale(std::string_view box, bool stale) override;
  bool CopyToClipboard(std::u16string_view text) override;
  MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                      std::u16string_view title) override;

 private:
  struct PlacedControl {
    const ControlDescription* description;
    HWND handle;
  };
  // Accessible objects are handed out through COM, so the window's thread
  // joins an apartment for the window's lifetime.
  struct ComApartment {
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool joined;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Opens the context menu of a box that offers menu commands.
  static LRESULT CALLBACK OfferCommands(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR form);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void LayOut();
  void SetIcons();
  void Rescale(int dpi, const RECT& suggested);
  // The client area's size in pixels at `scale`.
  SIZE ClientSize(const ScreenScale& scale) const;
  [[noreturn]] void Fail(const wchar_t* message);
  // Runs the menu command whose shortcut `message` presses; false if none.
  bool RunsShortcut(const MSG& message);
  void ShowMenu(HWND box, LPARAM where);
  // The menu commands the box `name` offers.
  std::vector<const MenuCommand*> CommandsOf(std::string_view name) const;
  // The description of `control` if it is of `kind`, else nullptr.
  const ControlDescription* Described(HWND control, ControlKind kind) const;
  void MoveFocus(bool backwards);
  const PlacedControl& Placed(std::string_view name) const;
  HWND BoxOf(std::string_view name) const;

  ComApartment apartment_;
  HINSTANCE instance_;
  const FormDescription& description_;
  ClickTarget& target_;
  ScreenScale scale_;
  WindowFonts fonts_;
  IconHandle bigIcon_;
  IconHandle smallIcon_;
  std::vector<GdiHandle<HBITMAP>> pictures_;
  LongTextHints longTexts_;
  std::vector<PlacedControl> controls_;
  HWND window_ = nullptr;
  HWND lastFocus_ = nullptr;       // the control last focused, focused again on activation
  bool editTellsChanges_ = false;  // whether a box tells readers its new text itself
};

}  // namespace quorvel::runtime::win32
