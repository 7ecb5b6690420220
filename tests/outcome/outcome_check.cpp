#include "outcome_check.h"

#include <regex>

#include "tools/utf8.h"

namespace quorvel::check {
namespace {

using Event = runtime::RecordingForm::Event;

// A result is empty, or an optional "-", digits without a needless leading
// or trailing zero in plain form below 1E+15 or as d.dddE+NN from there, with
// at most 15 significant digits, and "%" exactly in Text4 and Text6.
bool WellFormed(const std::string& t, std::size_t box) {
  static const std::string number = R"((?!-0%?$)(-?(0|[1-9]\d{0,15})(\.\d*[1-9])?|)"
                                    R"(-?[1-9](\.\d*[1-9])?E\+(1[5-9]|[2-9]\d|[1-3]\d\d)))";
  static const std::regex plain("(" + number + ")?"), percent("(" + number + "%)?");
  std::string digits = t.substr(0, t.find_first_of("E%"));  // the mantissa's significant digits
  std::erase_if(digits, [](char c) { return c == '-' || c == '.'; });
  digits.erase(0, digits.find_first_not_of('0'));
  return std::regex_match(t, box == 2 || box == 4 ? percent : plain) &&
         digits.find_last_not_of('0') + 1 <= 15;
}

// The number a message names, such as 12 in "第12个…".
std::size_t NumberIn(const std::u16string& prompt) {
  const std::string text = Utf16ToUtf8(prompt);
  const std::size_t digit = text.find_first_of("0123456789");
  return digit == std::string::npos ? 0 : std::stoull(text.substr(digit));
}

// A rejected click leads the focus to what to mend: the whole precision, the
// start of the data, or one whole item of it (bounded by separators). The
// click wrote no box, so the form holds the texts it read.
bool LeadsToTheFault(const Event& e, const runtime::RecordingForm& form) {
  if (e.box == "Text7") return e.start == 0 && e.length == form.Text("Text7").size();
  if (e.box != "Text1" || e.length == 0) return e.box == "Text1" && e.start == 0;
  const std::u16string text = form.Text("Text1");
  const std::u16string_view data = text, item = data.substr(e.start, e.length);
  const std::u16string_view after = data.substr(e.start + e.length);
  const bool startsItem = e.start == 0 || data[e.start - 1] == u' ' || data[e.start - 1] == u'\n';
  const bool endsItem =
      after.empty() || after[0] == u' ' || after[0] == u'\n' || after.starts_with(u"\r\n");
  return startsItem && endsItem && item.find_first_of(u" \n") == std::u16string_view::npos &&
         !(item.ends_with(u'\r') && after.starts_with(u'\n'));
}

}  // namespace

std::string OutcomeFault(const runtime::RecordingForm& after) {
  // One letter per event: the digit of the box written (boxes are Text1 to
  // Text7), "m" for an OK-only message, "s" for a selection; any other is "?".
  // Texts change only by recorded writes, so a click of the right shape keeps
  // the input boxes, and all boxes when it rejects the input.
  const auto& events = after.Events();
  std::string shape;
  for (const Event& e : events)
    shape += e.kind == Event::Kind::SetText                ? e.box.back()
             : e.kind == Event::Kind::SelectText           ? 's'
             : e.buttons == runtime::MsgBoxButtons::OkOnly ? 'm'
                                                           : '?';
  static const std::regex computed("23456m{0,3}"), rejected("m{1,11}s");
  const bool wrote = std::regex_match(shape, computed);
  if (!wrote && !std::regex_match(shape, rejected)) return "events out of shape: " + shape;
  const std::size_t first = wrote ? 5 : 0, messages = shape.size() - first - (wrote ? 0 : 1);
  bool anyEmpty = false;
  for (std::size_t i = 0; wrote && i < 5; ++i) {
    const std::string text = Utf16ToUtf8(after.Text("Text" + std::to_string(i + 2)));
    if (!WellFormed(text, i)) return "malformed " + text;
    anyEmpty = anyEmpty || text.empty();
  }
  if (wrote && anyEmpty != (messages > 0)) return "empty results without a cause, or the reverse";
  for (std::size_t i = first + 1; i < first + messages; ++i)
    if (events[i].title != events[i - 1].title ||
        (wrote ? events[i].text == events[i - 1].text
               : i < 10 && NumberIn(events[i].text) <= NumberIn(events[i - 1].text)))
      return "messages of two kinds, repeated or out of order";
  return wrote || LeadsToTheFault(events.back(), after) ? "" : "the focus led elsewhere";
}

}  // namespace quorvel::check
