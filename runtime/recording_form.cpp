#include "runtime/recording_form.h"

#include "runtime/unknown_box.h"

namespace quorvel::runtime {

RecordingForm::RecordingForm(const FormDescription& form, MsgBoxAnswer yesNoAnswer)
    : yesNoAnswer_(yesNoAnswer) {
  for (const ControlDescription& control : form.controls) {
    if (control.kind == ControlKind::TextBox) boxes_.emplace(control.name, control.text);
  }
}

void RecordingForm::Type(std::string_view box, std::u16string_view text) {
  const auto it = boxes_.find(box);
  if (it == boxes_.end()) ThrowUnknownBox(box);
  it->second = text;
}

std::u16string RecordingForm::Text(std::string_view box) const {
  const auto it = boxes_.find(box);
  if (it == boxes_.end()) ThrowUnknownBox(box);
  return it->second;
}

void RecordingForm::SetText(std::string_view box, std::u16string_view text) {
  Type(box, text);
  events_.push_back({Event::Kind::SetText, std::string(box), std::u16string(text), {}, {}});
}

MsgBoxAnswer RecordingForm::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                                   std::u16string_view title) {
  events_.push_back(
      {Event::Kind::MsgBox, {}, std::u16string(prompt), std::u16string(title), buttons});
  return buttons == MsgBoxButtons::YesNo ? yesNoAnswer_ : MsgBoxAnswer::Ok;
}

}  // namespace quorvel::runtime
