#pragma once

// Builders for the events a command is expected to leave in a RecordingForm,
// so a test states the whole outcome at once.

#include <ostream>
#include <string>
#include <vector>

#include "runtime/recording_form.h"
#include "runtime/utf8.h"

namespace quorvel::runtime {

// Lets GoogleTest show a failing event as text rather than bytes.
inline void PrintTo(const RecordingForm::Event& e, std::ostream* os) {
  if (e.kind == RecordingForm::Event::Kind::SetText) {
    *os << "set " << e.box << " \"" << Utf16ToUtf8(e.text) << "\"";
  } else {
    *os << "msgbox(" << static_cast<int>(e.buttons) << ") " << Utf16ToUtf8(e.title) << ": "
        << Utf16ToUtf8(e.text);
  }
}

}  // namespace quorvel::runtime

namespace quorvel::testing_support {

using Event = runtime::RecordingForm::Event;
using Events = std::vector<Event>;

inline Event Set(std::string box, std::u16string text) {
  return {Event::Kind::SetText, std::move(box), std::move(text), {}, {}};
}

inline Event Ok(std::u16string title, std::u16string prompt) {
  return {
      Event::Kind::MsgBox, {}, std::move(prompt), std::move(title), runtime::MsgBoxButtons::OkOnly};
}

// The five result boxes written in order.
inline Events Results(std::u16string mean, std::u16string avgDev, std::u16string relAvgDev,
                      std::u16string stdDev, std::u16string relStdDev) {
  return {Set("Text2", std::move(mean)), Set("Text3", std::move(avgDev)),
          Set("Text4", std::move(relAvgDev)), Set("Text5", std::move(stdDev)),
          Set("Text6", std::move(relStdDev))};
}

inline Events operator+(Events a, const Events& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace quorvel::testing_support
