#include "outcome_check.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <string_view>

#include "tools/utf8.h"

namespace quorvel::check {
namespace {

using Event = runtime::RecordingForm::Event;

// The texts are written out here rather than taken from the command's own
// constants, so a wrong constant is caught rather than agreed with.
constexpr const char* kResultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};
constexpr bool kPercentBox[] = {false, false, true, false, true};
constexpr std::u16string_view kItemTitle = u"输入正确数据";
constexpr std::u16string_view kItemPromptEnd = u"个数据输入有误，请重新输入";
constexpr std::size_t kNamedItemMessages = 10;
constexpr std::u16string_view kCannotComputeTitle = u"无法计算";
constexpr std::u16string_view kOneItem = u"只有1个数据，无法计算标准偏差！";
constexpr std::u16string_view kMeanZero = u"平均值为0，无法计算相对偏差！";
constexpr std::u16string_view kOutOfRange = u"数值超出计算范围！";
constexpr std::u16string_view kCannotComputeInOrder[] = {kOneItem, kMeanZero, kOutOfRange};
constexpr std::size_t kMaxSignificantDigits = 15;
constexpr int kFirstExponentForm = 15;

std::string Quoted(std::u16string_view text) {
  return '"' + Utf16ToUtf8(text) + '"';
}

bool IsDigits(std::u16string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool IsMessage(const Event& e, std::u16string_view title, std::u16string_view prompt) {
  return e.kind == Event::Kind::MsgBox && e.title == title && e.text == prompt;
}

// The count N in a prompt that reads start, N in decimal digits, end.
std::optional<std::size_t> CountIn(std::u16string_view prompt, std::u16string_view start) {
  if (prompt.size() < start.size() + kItemPromptEnd.size() || !prompt.starts_with(start) ||
      !prompt.ends_with(kItemPromptEnd)) {
    return std::nullopt;
  }
  const std::u16string_view digits =
      prompt.substr(start.size(), prompt.size() - start.size() - kItemPromptEnd.size());
  if (!IsDigits(digits) || digits[0] == u'0' || digits.size() > 19) return std::nullopt;
  std::size_t count = 0;
  for (const char16_t c : digits) count = count * 10 + (c - u'0');
  return count;
}

std::string ItemMessagesFault(std::span<const Event> messages) {
  if (messages.size() > kNamedItemMessages + 1) {
    return std::to_string(messages.size()) + " item messages, at most 11 allowed";
  }
  std::size_t lastItem = 0;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const Event& e = messages[i];
    if (e.title != kItemTitle)
      return "message " + Quoted(e.text) + " with title " + Quoted(e.title);
    if (i == kNamedItemMessages) {
      if (!CountIn(e.text, u"另有")) return "eleventh item message " + Quoted(e.text);
    } else {
      const auto item = CountIn(e.text, u"第");
      if (!item || *item <= lastItem) return "item message out of order: " + Quoted(e.text);
      lastItem = *item;
    }
  }
  return "";
}

// A shown result is "-" for a negative value, then either plain digits (no
// leading zero but a lone "0" before the point, no trailing zero after it,
// below 1E+15) or exponent form "d.dddE+NN" from 1E+15 on; at most 15
// significant digits; then "%" in the percent boxes. Zero is "0", never "00"
// or "-0".
std::string DisplayTextFault(std::u16string_view text, bool percent) {
  const std::string fault = "malformed result text " + Quoted(text);
  if (text.empty()) return "";
  std::u16string_view t = text;
  if (percent != t.ends_with(u'%')) return fault;
  if (percent) t.remove_suffix(1);
  const bool negative = t.starts_with(u'-');
  if (negative) t.remove_prefix(1);

  const std::size_t exponentAt = t.find(u"E+");
  const std::u16string_view mantissa = t.substr(0, exponentAt);
  const std::size_t point = mantissa.find(u'.');
  const std::u16string_view whole = mantissa.substr(0, point);
  const std::u16string_view fraction =
      point == std::u16string_view::npos ? u"" : mantissa.substr(point + 1);
  if (!IsDigits(whole) || (whole.size() > 1 && whole[0] == u'0')) return fault;
  if (point != std::u16string_view::npos && (!IsDigits(fraction) || fraction.back() == u'0')) {
    return fault;
  }
  if (exponentAt == std::u16string_view::npos) {
    // Rounding to 15 digits can carry a value below 1e15 up to 1e15 itself.
    const bool carriedToTheLimit = whole.size() == kFirstExponentForm + 1 && whole[0] == u'1' &&
                                   whole.find_first_not_of(u'0', 1) == std::u16string_view::npos;
    if (whole.size() > kFirstExponentForm && !carriedToTheLimit) return fault;
  } else {
    const std::u16string_view exponent = t.substr(exponentAt + 2);
    if (whole.size() != 1 || whole[0] == u'0' || !IsDigits(exponent) || exponent.size() > 3) {
      return fault;
    }
    int power = 0;
    for (const char16_t c : exponent) power = power * 10 + (c - u'0');
    if (power < kFirstExponentForm) return fault;
  }
  if (negative && whole == u"0" && fraction.empty()) return fault;

  std::u16string digits = std::u16string(whole) + std::u16string(fraction);
  digits.erase(0, std::min(digits.find_first_not_of(u'0'), digits.size()));
  if (digits.size() > kMaxSignificantDigits) return fault;
  return "";
}

std::string ResultsFault(std::span<const Event> writes, std::span<const Event> messages) {
  if (writes.size() != std::size(kResultBoxes)) {
    return std::to_string(writes.size()) + " result boxes written, not all five";
  }
  bool anyEmpty = false;
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (writes[i].box != kResultBoxes[i]) return "result box " + writes[i].box + " out of order";
    if (auto fault = DisplayTextFault(writes[i].text, kPercentBox[i]); !fault.empty()) return fault;
    anyEmpty = anyEmpty || writes[i].text.empty();
  }

  if (messages.size() > std::size(kCannotComputeInOrder)) return "more than three reasons given";
  std::size_t next = 0;  // the first reason that may still follow
  for (const Event& e : messages) {
    const auto* reason = std::find(std::begin(kCannotComputeInOrder) + next,
                                   std::end(kCannotComputeInOrder), e.text);
    if (e.title != kCannotComputeTitle || reason == std::end(kCannotComputeInOrder)) {
      return "message after the results: " + Quoted(e.title) + " " + Quoted(e.text);
    }
    next = reason - std::begin(kCannotComputeInOrder) + 1;
    if (e.text == kOneItem && !writes[3].text.empty()) return "one item but a standard deviation";
    if (e.text == kMeanZero && writes[0].text != u"0") return "mean zero reported for another mean";
  }
  if (anyEmpty != !messages.empty()) return "empty results and reasons given do not match";
  return "";
}

}  // namespace

void TypeInto(runtime::RecordingForm& form, const BoxTexts& texts) {
  form.Type("Text1", texts.data);
  form.Type("Text7", texts.precision);
  for (std::size_t i = 0; i < std::size(kResultBoxes); ++i) {
    form.Type(kResultBoxes[i], texts.results[i]);
  }
}

std::string OutcomeFault(const BoxTexts& before, const runtime::RecordingForm& after) {
  const auto& events = after.Events();
  const auto firstMessage = std::find_if(
      events.begin(), events.end(), [](const Event& e) { return e.kind == Event::Kind::MsgBox; });
  const std::span<const Event> writes(events.begin(), firstMessage);
  const std::span<const Event> messages(firstMessage, events.end());

  for (const Event& e : writes) {
    if (e.box == "Text1" || e.box == "Text7") return "input box " + e.box + " written";
  }
  for (const Event& e : messages) {
    if (e.kind != Event::Kind::MsgBox) return "box " + e.box + " written after a message";
    if (e.buttons != runtime::MsgBoxButtons::OkOnly) return "message box with more than OK";
  }
  if (after.Text("Text1") != before.data) return "the data box lost its text";
  if (after.Text("Text7") != before.precision) return "the precision box lost its text";

  if (!writes.empty()) return ResultsFault(writes, messages);

  for (std::size_t i = 0; i < std::size(kResultBoxes); ++i) {
    if (after.Text(kResultBoxes[i]) != before.results[i]) {
      return std::string(kResultBoxes[i]) + " lost its earlier text";
    }
  }
  if (messages.size() == 1 && (IsMessage(messages[0], u"指定精度", u"请指定运算精度！") ||
                               IsMessage(messages[0], u"输入原始数据", u"请输入原始数据！"))) {
    return "";
  }
  if (messages.empty()) return "the click did nothing at all";
  return ItemMessagesFault(messages);
}

}  // namespace quorvel::check
