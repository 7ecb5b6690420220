#include "outcome_check.h"

#include <algorithm>
#include <regex>
#include <span>

#include "tools/utf8.h"

namespace quorvel::check {
namespace {

using Event = runtime::RecordingForm::Event;
constexpr const char* kResultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};

// A result is empty, or an optional "-", digits without a needless leading
// or trailing zero in plain form below 1E+15 or as d.dddE+NN from there, with
// at most 15 significant digits, and "%" exactly in Text4 and Text6.
bool WellFormed(const std::u16string& text, std::size_t box) {
  static const std::regex plain(R"(-?(0|[1-9]\d{0,15})(\.\d*[1-9])?)");
  static const std::regex exponent(R"(-?[1-9](\.\d*[1-9])?E\+(1[5-9]|[2-9]\d|[1-3]\d\d))");
  if (text.empty()) return true;
  std::string t = Utf16ToUtf8(text);
  if ((box == 2 || box == 4) != t.ends_with('%')) return false;
  if (t.ends_with('%')) t.pop_back();
  const std::size_t sign = t.starts_with('-') ? 1 : 0;
  std::string digits = t.substr(sign, t.find('E') - sign);  // the mantissa
  digits.erase(0, std::min(digits.find_first_not_of("0."), digits.size()));
  digits.erase(digits.find_last_not_of("0.") + 1);
  std::erase(digits, '.');
  return (std::regex_match(t, plain) || std::regex_match(t, exponent)) && t != "-0" &&
         digits.size() <= 15;
}

// The number a message names, such as 12 in "第12个…".
std::size_t NumberIn(const std::u16string& prompt) {
  const std::string text = Utf16ToUtf8(prompt);
  const std::size_t digit = text.find_first_of("0123456789");
  return digit == std::string::npos ? 0 : std::stoull(text.substr(digit));
}

std::string MessagesFault(std::span<const Event> messages, bool resultsWritten) {
  for (const Event& e : messages) {
    if (e.kind != Event::Kind::MsgBox) return "box " + e.box + " written after a message";
    if (e.buttons != runtime::MsgBoxButtons::OkOnly) return "a message box with more than OK";
    if (e.title != messages[0].title) return "messages of different kinds";
  }
  const auto sameText = [](const Event& a, const Event& b) { return a.text == b.text; };
  if (resultsWritten &&
      std::adjacent_find(messages.begin(), messages.end(), sameText) != messages.end()) {
    return "a cause told twice";
  }
  if (resultsWritten) return messages.size() > 3 ? "more than three causes" : "";
  if (messages.empty() || messages.size() > 11) return "no or too many input messages";
  for (std::size_t i = 1; i < std::min<std::size_t>(messages.size(), 10); ++i) {
    if (NumberIn(messages[i].text) <= NumberIn(messages[i - 1].text)) return "items out of order";
  }
  return "";
}

// A rejected click leads the focus to what to mend: the whole precision, the
// start of the data, or one whole item of it (bounded by separators).
std::string SelectionFault(const Event& e, const BoxTexts& before) {
  if (e.kind != Event::Kind::SelectText) return "input rejected without leading the focus";
  if (e.box == "Text7") {
    return e.start == 0 && e.length == before.precision.size() ? "" : "precision not all selected";
  }
  if (e.box != "Text1") return "the focus led to " + e.box;
  if (e.length == 0) return e.start == 0 ? "" : "an empty selection inside the data";
  const std::u16string_view data = before.data;
  const std::u16string_view item = data.substr(e.start, e.length);
  const std::u16string_view after = data.substr(e.start + e.length);
  const bool startsItem = e.start == 0 || data[e.start - 1] == u' ' || data[e.start - 1] == u'\n';
  const bool endsItem =
      after.empty() || after[0] == u' ' || after[0] == u'\n' || after.starts_with(u"\r\n");
  const bool oneItem = item.find_first_of(u" \n") == std::u16string_view::npos &&
                       !(item.ends_with(u'\r') && after.starts_with(u'\n'));
  return startsItem && endsItem && oneItem ? "" : "the selection is not one whole item";
}

}  // namespace

void TypeInto(runtime::RecordingForm& form, const BoxTexts& texts) {
  form.Type("Text1", texts.data);
  form.Type("Text7", texts.precision);
  for (std::size_t i = 0; i < 5; ++i) form.Type(kResultBoxes[i], texts.results[i]);
}

std::string OutcomeFault(const BoxTexts& before, const runtime::RecordingForm& after) {
  const auto& events = after.Events();
  const auto firstMessage = std::find_if(
      events.begin(), events.end(), [](const Event& e) { return e.kind == Event::Kind::MsgBox; });
  // Spans by pointer and count: libc++ 14, the WebAssembly build's library,
  // makes them from no iterator pair.
  const auto written = static_cast<std::size_t>(firstMessage - events.begin());
  const std::span<const Event> writes(events.data(), written);
  if (after.Text("Text1") != before.data || after.Text("Text7") != before.precision) {
    return "an input box lost its text";
  }
  if (!writes.empty() && writes.size() != 5) return "not all five results written";
  bool anyEmpty = false;
  for (std::size_t i = 0; i < 5; ++i) {
    if (writes.empty() && after.Text(kResultBoxes[i]) != before.results[i]) {
      return std::string(kResultBoxes[i]) + " lost its earlier text";
    }
    if (writes.empty()) continue;
    if (writes[i].box != kResultBoxes[i]) return "result box " + writes[i].box + " out of order";
    if (!WellFormed(writes[i].text, i)) return "malformed result " + Utf16ToUtf8(writes[i].text);
    anyEmpty = anyEmpty || writes[i].text.empty();
  }
  std::span<const Event> messages(events.data() + written, events.size() - written);
  if (!writes.empty() && anyEmpty == messages.empty()) return "empty results without a cause";
  if (writes.empty() && !messages.empty()) {
    if (std::string fault = SelectionFault(messages.back(), before); !fault.empty()) return fault;
    messages = messages.first(messages.size() - 1);
  }
  return MessagesFault(messages, !writes.empty());
}

}  // namespace quorvel::check
