#pragma once

#include "runtime/form_services.h"

namespace quorvel::window {

inline constexpr std::u16string_view kClearPrompt = u"是否要清除包括原始数据在内的所有数据？";
inline constexpr std::u16string_view kClearTitle = u"提示";

// The click procedure of the Clear button: after a Yes, empties the data box
// and the five result boxes in order; the precision box keeps its text.
void Clear(runtime::FormServices& form);

}  // namespace quorvel::window
