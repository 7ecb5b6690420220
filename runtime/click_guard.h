#pragma once

#include <string_view>

#include "runtime/form_description.h"

namespace quorvel::runtime {

// Every host delivers a click, and every change of a box's text, through
// here. Whatever the window's procedure throws stops at this boundary: the
// user is told in a message box, the boxes keep what they hold, and the
// window goes on taking clicks. Left to unwind through a toolkit's or the
// system's frames, the exception would end the program and lose the data
// with it.
void DeliverClick(ClickTarget& target, std::string_view control, FormServices& form) noexcept;
void DeliverChange(ClickTarget& target, std::string_view box, FormServices& form) noexcept;

}  // namespace quorvel::runtime
