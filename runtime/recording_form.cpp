#include "runtime/recording_form.h"

namespace quorvel::runtime {

void RecordingForm::Type(std::string_view box, std::u16string_view text) {
  boxes_.insert_or_assign(std::string(box), std::u16string(text));
}

std::u16string RecordingForm::Text(std::string_view box) const {
  const auto it = boxes_.find(box);
  return it == boxes_.end() ? std::u16string() : it->second;
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
