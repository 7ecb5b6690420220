#include "runtime/win32/win32_form.h"

#include <objbase.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "runtime/box_hint.h"
#include "runtime/click_guard.h"
#include "runtime/tab_order.h"
#include "runtime/unknown_box.h"
#include "runtime/win32/accessible_name.h"
#include "runtime/win32/control_factory.h"
#include "runtime/win32/edit_menu.h"
#include "runtime/win32/per_monitor_dpi.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/window_placement.h"

namespace quorvel::runtime::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"QuorvelForm";
// A fixed frame: the controls never move, so the window is not resizable.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Control IDs follow the rows of the description. They start above IDOK and
// IDCANCEL, which the dialog manager sends for Enter and Escape in a box:
// neither may click one.
constexpr int kFirstControlId = 1000;
// WM_GETDPISCALEDSIZE, which Windows 10 1703 and later send.
constexpr UINT kGetDpiScaledSize = 0x02E4;
// Windows scales from 100 % to 500 % (96 to 480 DPI); a DPI change far
// outside that comes from no monitor, and would leave no usable window.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 960;
constexpr UINT_PTR kCommandsSubclassId = 1;

struct GlobalDeleter {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

std::wstring ResourceName(std::string_view name) {
  return {name.begin(), name.end()};
}

// Not shared: Windows keeps one size of a shared icon, whatever size is asked
// for later.
IconHandle LoadIconSized(HINSTANCE instance, std::string_view name, int widthMetric,
                         int heightMetric, int dpi) {
  const std::wstring resource = ResourceName(name);
  return IconHandle(static_cast<HICON>(LoadImageW(instance, resource.c_str(), IMAGE_ICON,
                                                  SystemMetricForDpi(widthMetric, dpi),
                                                  SystemMetricForDpi(heightMetric, dpi), 0)));
}

// A second window in the same program finds the class already there.
bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The tooltip that lets the first command a box offers be found.
std::u16string TipOf(const std::vector<const MenuCommand*>& commands) {
  if (commands.empty()) return {};
  return CommandTip(commands[0]->caption, u"Ctrl+Shift+" + std::u16string(1, commands[0]->key));
}

}  // namespace

Win32Form::ComApartment::ComApartment()
    : joined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Win32Form::ComApartment::~ComApartment() {
  if (joined) CoUninitialize();
}

Win32Form::Win32Form(HINSTANCE instance, const FormDescription& description, ClickTarget& target)
    : instance_(instance),
      description_(description),
      target_(target),
      scale_(ScreenScale::OfScreen()),
      fonts_(scale_, MessageFontForDpi(scale_.Dpi())) {
  if (!RegisterWindowClass(instance_, &Procedure)) Fail(L"无法注册窗口类，程序不能启动。");
  const SIZE size = WindowSizeForDpi(ClientSize(scale_), kWindowStyle, scale_.Dpi());
  const std::wstring caption = ToWide(description_.caption);
  if (CreateWindowExW(0, kWindowClass, caption.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      size.cx, size.cy, nullptr, nullptr, instance_, this) == nullptr) {
    Fail(L"无法创建窗口，程序不能启动。");
  }
  SetIcons();
  editTellsChanges_ = EditTellsValueChanges(window_);
  CreateControls();
  LayOut();
  // Aware of each monitor's DPI, the window opens at the DPI of its monitor,
  // which need not be the system's.
  const int dpi = WindowDpi(window_);
  if (dpi != scale_.Dpi()) {
    RECT place;
    GetWindowRect(window_, &place);
    Rescale(dpi, place);
  }
}

Win32Form::~Win32Form() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void Win32Form::CreateControls() {
  const ControlDescription* first = description_.controls.data();
  for (const ControlDescription* description : InTabOrder(description_)) {
    const int id = kFirstControlId + static_cast<int>(description - first);
    const HWND control = CreateControl(window_, *description, id);
    if (control == nullptr) Fail(L"无法创建窗口中的控件，程序不能启动。");
    if (!description->accessibleName.empty()) {
      SetAccessibleName(control, description->accessibleName);
    }
    if (description->kind == ControlKind::Image) {
      const std::wstring name = ResourceName(description->name);
      auto& picture = pictures_.emplace_back(
          static_cast<HBITMAP>(LoadImageW(instance_, name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
      SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    }
    const std::vector<const MenuCommand*> commands = CommandsOf(description->name);
    if (description->kind == ControlKind::TextBox && !description->multiLine) {
      longTexts_.Serve(control, TipOf(commands));
    }
    if (!commands.empty()) {
      SetWindowSubclass(control, &OfferCommands, kCommandsSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
    }
    controls_.push_back({description, control});
  }
}

// Places every control and gives it its font at the window's DPI. A picture
// fills its control, so it scales with it.
void Win32Form::LayOut() {
  for (const PlacedControl& control : controls_) {
    const PixelRect place = scale_.Rect(control.description->rect);
    SetWindowPos(control.handle, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.description->kind != ControlKind::Image) {
      SendMessageW(control.handle, WM_SETFONT,
                   reinterpret_cast<WPARAM>(fonts_.For(control.description->font)), TRUE);
    }
  }
  longTexts_.SetTipFont(fonts_.For(nullptr));
}

// The old icons go only once the window holds the new ones.
void Win32Form::SetIcons() {
  IconHandle big = LoadIconSized(instance_, description_.name, SM_CXICON, SM_CYICON, scale_.Dpi());
  IconHandle small =
      LoadIconSized(instance_, description_.name, SM_CXSMICON, SM_CYSMICON, scale_.Dpi());
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

// Lays the window out again from its description at `dpi`, with fonts and
// icons made for it; the old fonts go only once no control holds them.
void Win32Form::Rescale(int dpi, const RECT& suggested) {
  scale_ = ScreenScale(dpi);
  const WindowFonts old = std::exchange(fonts_, WindowFonts(scale_, MessageFontForDpi(dpi)));
  LayOut();
  SetIcons();
  PlaceWindow(window_, suggested, ClientSize(scale_));
}

SIZE Win32Form::ClientSize(const ScreenScale& scale) const {
  return {scale.Length(description_.clientWidthTwips),
          scale.Length(description_.clientHeightTwips)};
}

// Takes the window down before reporting: detached first, so that destroying
// it posts no WM_QUIT, which would close the message box reporting this.
void Win32Form::Fail(const wchar_t* message) {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  throw HostFailure{message};
}

int Win32Form::Run(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) Dispatch(message);
  if (got < 0) Fail(L"窗口的消息循环出错，程序已停止。");
  return static_cast<int>(message.wParam);
}

void Win32Form::Dispatch(MSG& message) {
  if (RunsShortcut(message)) return;
  // The window has no cancel button, so Escape has nothing to do; left to
  // the dialog manager, a multi-line box turns it into WM_CLOSE.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) return;
  // The dialog manager gives the window Tab, Shift+Tab and the Alt
  // mnemonics of its buttons.
  if (IsDialogMessageW(window_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

LRESULT CALLBACK Win32Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return form->Handle(message, wParam, lParam);
}

LRESULT Win32Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (HIWORD(wParam)) {
        case BN_CLICKED:
        // A BS_NOTIFY button reports the second press of a double click so;
        // it is a click all the same.
        case BN_DOUBLECLICKED:
          if (const auto* button =
                  Described(reinterpret_cast<HWND>(lParam), ControlKind::CommandButton)) {
            DeliverClick(target_, button->name, *this);
          }
          break;
        // Every change, the user's or a command's (a write sends one too).
        case EN_CHANGE:
          if (const auto* box = Described(reinterpret_cast<HWND>(lParam), ControlKind::TextBox)) {
            DeliverChange(target_, box->name, *this);
          }
          break;
        // Minimising takes the focus away before the window learns it is
        // inactive, so the focus is remembered whenever a control takes it.
        case EN_SETFOCUS:
        case BN_SETFOCUS:
          lastFocus_ = reinterpret_cast<HWND>(lParam);
          break;
      }
      return 0;
    case WM_NEXTDLGCTL:
      // A multi-line box asks its parent to move the focus on Tab.
      if (LOWORD(lParam) != 0) {
        SetFocus(reinterpret_cast<HWND>(wParam));
      } else {
        MoveFocus(wParam != 0);
      }
      return 0;
    // Windows asks which size the window wants at a new DPI before it
    // suggests a rectangle there: the exact one, so that the window dragged
    // to another monitor stays where the mouse holds it.
    case kGetDpiScaledSize: {
      const ScreenScale scale(static_cast<int>(wParam));
      *reinterpret_cast<SIZE*>(lParam) =
          WindowSizeForDpi(ClientSize(scale), kWindowStyle, scale.Dpi());
      return TRUE;
    }
    case WM_DPICHANGED:
      if (LOWORD(wParam) >= kLowestDpi && LOWORD(wParam) <= kHighestDpi) {
        Rescale(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      }
      return 0;
    // A stale box keeps its background; only its text turns grey.
    case WM_CTLCOLOREDIT:
      if (LongTextHints::IsStale(reinterpret_cast<HWND>(lParam))) {
        const LRESULT brush = DefWindowProcW(window_, message, wParam, lParam);
        SetTextColor(reinterpret_cast<HDC>(wParam), StaleTextColour());
        return brush;
      }
      break;
    case WM_SETFOCUS:
      SetFocus(lastFocus_ != nullptr ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

const ControlDescription* Win32Form::Described(HWND control, ControlKind kind) const {
  for (const PlacedControl& placed : controls_) {
    if (placed.handle == control && placed.description->kind == kind) return placed.description;
  }
  return nullptr;
}

std::vector<const MenuCommand*> Win32Form::CommandsOf(std::string_view name) const {
  std::vector<const MenuCommand*> commands;
  for (const MenuCommand& command : description_.commands) {
    if (std::ranges::find(command.boxes, name) != command.boxes.end()) commands.push_back(&command);
  }
  return commands;
}

// Ctrl+Shift with a command's key, wherever the focus is in the window, the
// data box included; taken before the dialog manager and the box see it.
bool Win32Form::RunsShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) >= 0 ||
      GetKeyState(VK_MENU) < 0 || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
    return false;
  }
  for (const MenuCommand& command : description_.commands) {
    if (message.wParam == static_cast<WPARAM>(command.key)) {
      DeliverClick(target_, command.name, *this);
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK Win32Form::OfferCommands(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR form) {
  if (message == WM_CONTEXTMENU) {
    reinterpret_cast<Win32Form*>(form)->ShowMenu(box, lParam);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &OfferCommands, kCommandsSubclassId);
  return DefSubclassProc(box, message, wParam, lParam);
}

void Win32Form::ShowMenu(HWND box, LPARAM where) {
  const ControlDescription* described = Described(box, ControlKind::TextBox);
  if (described == nullptr) return;
  const std::vector<const MenuCommand*> commands = CommandsOf(described->name);
  std::vector<std::u16string_view> captions;
  for (const MenuCommand* command : commands) captions.push_back(command->caption);
  if (const auto chosen = ShowEditMenu(box, where, captions)) {
    DeliverClick(target_, commands[*chosen]->name, *this);
  }
}

// Moves the focus as the dialog manager does on Tab: an edit box that
// receives it selects its whole text.
void Win32Form::MoveFocus(bool backwards) {
  const HWND next = GetNextDlgTabItem(window_, GetFocus(), backwards);
  if (next == nullptr) return;
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    SendMessageW(next, EM_SETSEL, 0, -1);
  }
  SetFocus(next);
}

const Win32Form::PlacedControl& Win32Form::Placed(std::string_view name) const {
  for (const PlacedControl& control : controls_) {
    if (control.description->name == name) return control;
  }
  ThrowUnknownBox(name);
}

HWND Win32Form::HandleOf(std::string_view name) const {
  return Placed(name).handle;
}

// Only text boxes have a text a command may read or write.
HWND Win32Form::BoxOf(std::string_view name) const {
  const PlacedControl& control = Placed(name);
  if (control.description->kind != ControlKind::TextBox) ThrowUnknownBox(name);
  return control.handle;
}

std::u16string Win32Form::Text(std::string_view box) const {
  return FromWide(WholeText(BoxOf(box)));
}

std::size_t Win32Form::TextLength(std::string_view box) const {
  return static_cast<std::size_t>(GetWindowTextLengthW(BoxOf(box)));
}

// The data box takes a write as a user's own replacement of its whole text,
// so that it can undo it in one step: Ctrl+Z after 清空 brings the data back.
// Setting its window text would empty its undo buffer. A single-line box
// takes its window text, which also shows the start of it.
void Win32Form::SetText(std::string_view box, std::u16string_view text) {
  const HWND control = BoxOf(box);
  const std::wstring wide = ToWide(text);
  if (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) {
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  } else {
    const bool changed = WholeText(control) != wide;
    SetWindowTextW(control, wide.c_str());
    // Where the box does not tell readers of its new text itself, it is told
    // for it, so a new result is heard.
    if (changed && !editTellsChanges_) {
      NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    }
  }
}

void Win32Form::SelectText(std::string_view box, std::size_t start, std::size_t length) {
  const HWND control = BoxOf(box);
  SendMessageW(control, EM_SETSEL, start, start + length);
  SendMessageW(control, EM_SCROLLCARET, 0, 0);
  SetFocus(control);
}

void Win32Form::SetStale(std::string_view box, bool stale) {
  LongTextHints::SetStale(BoxOf(box), stale);
}

// The text is ready before the clipboard is opened, so it is held open only
// briefly; the memory is the clipboard's once it takes it, freed here on
// every other path.
bool Win32Form::CopyToClipboard(std::u16string_view text) {
  std::unique_ptr<void, GlobalDeleter> memory(
      GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (memory == nullptr) return false;
  auto* copy = static_cast<char16_t*>(GlobalLock(memory.get()));
  if (copy == nullptr) return false;
  text.copy(copy, text.size());
  copy[text.size()] = u'\0';
  GlobalUnlock(memory.get());
  if (!OpenClipboard(window_)) return false;
  const bool copied = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
  CloseClipboard();
  if (copied) memory.release();
  return copied;
}

// The button sets and answers share Windows' numeric codes; no icon flag is
// ever added.
MsgBoxAnswer Win32Form::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                               std::u16string_view title) {
  const std::wstring promptText = ToWide(prompt);
  const std::wstring titleText = ToWide(title);
  return static_cast<MsgBoxAnswer>(
      MessageBoxW(window_, promptText.c_str(), titleText.c_str(), static_cast<UINT>(buttons)));
}

}  // namespace quorvel::runtime::win32
