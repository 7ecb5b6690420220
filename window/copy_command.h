#pragma once

#include "calc/calc_state.h"
#include "runtime/form_services.h"

namespace quorvel::window {

inline constexpr std::u16string_view kCopyTitle = u"复制结果";
inline constexpr std::u16string_view kNothingToCopyPrompt = u"结果已过期或尚未计算，请先计算。";
inline constexpr std::u16string_view kClipboardPrompt = u"无法打开剪贴板，结果未复制，请稍后再试。";

// The procedure of 复制全部结果: puts the current results on the clipboard as
// a two-row table a spreadsheet pastes as such, labels over values, with the
// count of items read and the precision. Stale or missing results are not
// copied: a message says why.
void CopyResults(runtime::FormServices& form, const calc::CalcState& state);

}  // namespace quorvel::window
