#pragma once

#include <array>
#include <string>

#include "runtime/recording_form.h"

namespace quorvel::check {

// The texts of the boxes a calculation reads or may write, as the user left
// them before the click.
struct BoxTexts {
  std::u16string data;                    // Text1
  std::u16string precision;               // Text7
  std::array<std::u16string, 5> results;  // Text2 to Text6
};

// Types the texts into the form as a user would, without recording events.
void TypeInto(runtime::RecordingForm& form, const BoxTexts& texts);

// Judges one click of Calculate by what it left in the form: nothing but the
// five result boxes is ever written; the data and precision boxes keep their
// exact texts; and the click ended in exactly one of these ways:
//   - one precision message, or one data message, with no box written;
//   - 1 to 10 item messages in ascending item order, plus one summary of the
//     rest after the tenth, with no box written;
//   - Text2 to Text6 written once each in order with well-formed display
//     texts, then 0 to 3 distinct "无法计算" messages in their fixed order.
// A calculation that writes no box leaves every result box's earlier text.
// Every message box is OK-only with a title of the system's own. Returns ""
// when all hold, otherwise a description of the first rule broken.
std::string OutcomeFault(const BoxTexts& before, const runtime::RecordingForm& after);

}  // namespace quorvel::check
