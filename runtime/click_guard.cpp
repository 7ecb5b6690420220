#include "runtime/click_guard.h"

#include <new>

namespace quorvel::runtime {
namespace {

constexpr std::u16string_view kFailedTitle = u"无法计算";
constexpr std::u16string_view kOutOfMemoryPrompt = u"内存不足，无法完成计算。";
constexpr std::u16string_view kUnexpectedPrompt =
    u"计算时发生意外错误，未能完成。原始数据和精度保持不变。";

void Tell(FormServices& form, std::u16string_view prompt) noexcept {
  try {
    form.MsgBox(prompt, MsgBoxButtons::OkOnly, kFailedTitle);
  } catch (...) {
    // Not even a message box can be shown: staying alive is all that is left.
  }
}

template <typename Procedure>
void Guarded(FormServices& form, Procedure run) noexcept {
  try {
    run();
  } catch (const std::bad_alloc&) {
    Tell(form, kOutOfMemoryPrompt);
  } catch (...) {
    Tell(form, kUnexpectedPrompt);
  }
}

}  // namespace

void DeliverClick(ClickTarget& target, std::string_view control, FormServices& form) noexcept {
  Guarded(form, [&] { target.Click(control, form); });
}

void DeliverChange(ClickTarget& target, std::string_view box, FormServices& form) noexcept {
  Guarded(form, [&] { target.Change(box, form); });
}

}  // namespace quorvel::runtime
