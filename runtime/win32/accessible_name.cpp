#include "runtime/win32/accessible_name.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <oleacc.h>

#include <atomic>

#include "runtime/win32/long_text.h"
#include "runtime/win32/wide_text.h"

namespace quorvel::runtime::win32 {
namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT Answer(std::wstring_view text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The control's standard accessible object in every respect but its name and,
// for a single-line box, its description.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* standard, HWND control, std::u16string_view name)
      : standard_(standard), control_(control), name_(name) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // Only the interfaces this object is: handing out the standard object's
  // others would lead a client back to the unnamed object. A box has no
  // children to enumerate, so clients need no more.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IAccessible) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    return Answer({reinterpret_cast<const wchar_t*>(name_.data()), name_.size()}, name);
  }
  // What a box tells besides its text, as its tooltip does: that it is
  // stale, the whole text of a box that shows only part of it. Its value
  // stays the text itself.
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    if (!IsSelf(child)) return standard_->get_accDescription(child, text);
    const std::wstring description = ToWide(LongTextHints::HintOf(control_).description);
    if (description.empty()) return standard_->get_accDescription(child, text);
    return Answer(description, text);
  }

  // Everything else is the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  IAccessible* standard_;
  HWND control_;
  std::u16string_view name_;
  std::atomic<ULONG> references_{1};
};

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK AnswerWithName(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR name) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    IAccessible* standard = nullptr;
    if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                            reinterpret_cast<void**>(&standard)))) {
      auto* named = new NamedAccessible(standard, control,
                                        *reinterpret_cast<const std::u16string_view*>(name));
      const LRESULT result = LresultFromObject(IID_IAccessible, wParam, named);
      named->Release();
      return result;
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, &AnswerWithName, kSubclassId);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

constexpr wchar_t kHeardProperty[] = L"QuorvelValueChangeHeard";

void CALLBACK MarkHeard(HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_CLIENT) SetPropW(control, kHeardProperty, control);
}

}  // namespace

// A hidden box is set once while this thread listens; the event reaches the
// listener by the time the thread next looks at its queue.
bool EditTellsValueChanges(HWND parent) {
  const HWND probe = CreateWindowExW(
      0, L"Edit", nullptr, WS_CHILD, 0, 0, 0, 0, parent, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (probe == nullptr) return false;
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &MarkHeard,
                      GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  SetWindowTextW(probe, L"0");
  MSG message;
  PeekMessageW(&message, probe, WM_NULL, WM_NULL, PM_NOREMOVE);
  const bool heard = RemovePropW(probe, kHeardProperty) != nullptr;
  if (hook != nullptr) UnhookWinEvent(hook);
  DestroyWindow(probe);
  return heard;
}

void SetAccessibleName(HWND control, const std::u16string_view& name) {
  SetWindowSubclass(control, &AnswerWithName, kSubclassId, reinterpret_cast<DWORD_PTR>(&name));
}

}  // namespace quorvel::runtime::win32
