#pragma once

#include <string_view>

#include "runtime/form_services.h"

class QWidget;

namespace quorvel::runtime::qt {

// A modal message box without an icon, with Chinese buttons: "确定" alone, or
// "是(&Y)" and "否(&N)" with Yes the default. Escape or closing the box
// answers No (OK for the OK-only box).
MsgBoxAnswer ShowMessageBox(QWidget* parent, std::u16string_view prompt, MsgBoxButtons buttons,
                            std::u16string_view title);

}  // namespace quorvel::runtime::qt
