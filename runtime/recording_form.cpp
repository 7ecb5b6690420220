#include "runtime/recording_form.h"

#include <stdexcept>

#include "runtime/unknown_box.h"

namespace quorvel::runtime {
namespace {

// The text of a box, const or not as the map is.
template <class Boxes>
auto& TextIn(Boxes& boxes, std::string_view box) {
  const auto it = boxes.find(box);
  if (it == boxes.end()) ThrowUnknownBox(box);
  return it->second;
}

}  // namespace

RecordingForm::RecordingForm(const FormDescription& form, MsgBoxAnswer yesNoAnswer)
    : yesNoAnswer_(yesNoAnswer) {
  for (const ControlDescription& control : form.controls) {
    if (control.kind == ControlKind::TextBox) boxes_.emplace(control.name, control.text);
  }
}

void RecordingForm::Type(std::string_view box, std::u16string_view text) {
  TextIn(boxes_, box) = text;
}

std::u16string RecordingForm::Text(std::string_view box) const {
  return TextIn(boxes_, box);
}

std::size_t RecordingForm::TextLength(std::string_view box) const {
  return TextIn(boxes_, box).size();
}

void RecordingForm::SetText(std::string_view box, std::u16string_view text) {
  Type(box, text);
  events_.push_back({Event::Kind::SetText, std::string(box), std::u16string(text), {}, {}});
}

void RecordingForm::SelectText(std::string_view box, std::size_t start, std::size_t length) {
  // A real box cannot select past the end of its text.
  if (start + length > TextIn(boxes_, box).size()) {
    throw std::out_of_range("selection past the end of " + std::string(box));
  }
  events_.push_back({Event::Kind::SelectText, std::string(box), {}, {}, {}, start, length});
}

void RecordingForm::SetStale(std::string_view box, bool stale) {
  TextIn(boxes_, box);  // an unknown box throws
  if (stale) {
    stale_.emplace(box);
  } else if (const auto it = stale_.find(box); it != stale_.end()) {
    stale_.erase(it);
  }
}

bool RecordingForm::CopyToClipboard(std::u16string_view text) {
  if (clipboardRefused_) return false;
  events_.push_back({Event::Kind::Copy, {}, std::u16string(text), {}, {}});
  return true;
}

MsgBoxAnswer RecordingForm::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                                   std::u16string_view title) {
  events_.push_back(
      {Event::Kind::MsgBox, {}, std::u16string(prompt), std::u16string(title), buttons});
  return buttons == MsgBoxButtons::YesNo ? yesNoAnswer_ : MsgBoxAnswer::Ok;
}

}  // namespace quorvel::runtime
