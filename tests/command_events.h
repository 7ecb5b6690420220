#pragma once

// Builders for the events a command is expected to leave in a RecordingForm,
// so a test states the whole outcome at once.

#include <ostream>
#include <string>
#include <vector>

#include "runtime/recording_form.h"
#include "tools/utf8.h"

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

inline const Event kPrecisionMessage = Ok(u"指定精度", u"请指定运算精度！");
inline const Event kDataMessage = Ok(u"输入原始数据", u"请输入原始数据！");
inline const Event kOneItem = Ok(u"无法计算", u"只有1个数据，无法计算标准偏差！");
inline const Event kMeanZero = Ok(u"无法计算", u"平均值为0，无法计算相对偏差！");
inline const Event kOutOfRange = Ok(u"无法计算", u"数值超出计算范围！");

inline std::u16string Decimal(std::size_t n) {
  const std::string digits = std::to_string(n);
  return {digits.begin(), digits.end()};
}

// The message naming a bad item, and the one summing up those past the tenth.
// Built by appending: GCC 12 warns falsely when a literal is prepended.
inline Event CountMessage(std::u16string_view start, std::size_t count) {
  std::u16string prompt(start);
  prompt += Decimal(count);
  prompt += u"个数据输入有误，请重新输入";
  return Ok(u"输入正确数据", std::move(prompt));
}
inline Event ItemMessage(std::size_t item) {
  return CountMessage(u"第", item);
}
inline Event MoreItemsMessage(std::size_t count) {
  return CountMessage(u"另有", count);
}

// One Calculate click on a data text at a precision, and every event it
// should leave, for table-driven tests; rows are named by intent.
struct CalculationCase {
  const char* name;
  std::u16string data;
  std::u16string precision;
  Events expected;
};

inline void PrintTo(const CalculationCase& c, std::ostream* os) {
  *os << c.name;
}

// Names a parameterized test's rows by their name field.
inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

inline Events operator+(Events a, const Events& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace quorvel::testing_support
