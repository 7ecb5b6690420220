#include "runtime/numeric.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace quorvel::runtime {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsBlankOrTab(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimBlanksAndTabs(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlankOrTab(text[first])) ++first;
  while (last > first && IsBlankOrTab(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// What the grammar check learns on the way: enough to tell an overflow from an
// underflow when from_chars reports the value out of range.
struct Shape {
  bool valid = false;
  bool negative = false;
  std::int64_t decimalExponent = 0;  // roughly log10 of the magnitude
};

Shape CheckGrammar(std::u16string_view s) {
  Shape shape;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) shape.negative = s[i++] == u'-';

  std::int64_t integerDigits = 0;  // significant digits before the point
  std::int64_t leadingFractionZeros = 0;
  bool anyDigit = false;
  bool nonZeroSeen = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    anyDigit = true;
    nonZeroSeen = nonZeroSeen || s[i] != u'0';
    if (nonZeroSeen) ++integerDigits;
  }
  if (i < s.size() && s[i] == u'.') {
    for (++i; i < s.size() && IsDigit(s[i]); ++i) {
      anyDigit = true;
      if (!nonZeroSeen && s[i] == u'0') ++leadingFractionZeros;
      nonZeroSeen = nonZeroSeen || s[i] != u'0';
    }
  }
  if (!anyDigit) return shape;

  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negativeExponent = s[i++] == u'-';
    if (i == s.size() || !IsDigit(s[i])) return shape;
    constexpr std::int64_t kSaturated = 1'000'000'000;  // far beyond any double
    for (; i < s.size() && IsDigit(s[i]); ++i) {
      exponent = std::min(kSaturated, exponent * 10 + (s[i] - u'0'));
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return shape;

  shape.valid = true;
  shape.decimalExponent =
      exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
  return shape;
}

}  // namespace

std::optional<double> ReadNumber(std::u16string_view text) {
  const std::u16string_view s = TrimBlanksAndTabs(text);
  const Shape shape = CheckGrammar(s);
  if (!shape.valid) return std::nullopt;

  // The grammar check has proved every unit ASCII, so narrowing is exact.
  // from_chars takes no "+", so a leading plus is dropped here.
  const std::u16string_view body = (!s.empty() && s[0] == u'+') ? s.substr(1) : s;
  char small[64];
  std::string large;
  char* chars = small;
  if (body.size() > sizeof small) {
    large.resize(body.size());
    chars = large.data();
  }
  for (std::size_t i = 0; i < body.size(); ++i) chars[i] = static_cast<char>(body[i]);

  double value = 0;
  const auto [end, error] = std::from_chars(chars, chars + body.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (shape.decimalExponent > 0) return std::nullopt;
    return shape.negative ? -0.0 : 0.0;
  }
  if (error != std::errc{} || end != chars + body.size()) return std::nullopt;
  return value;
}

}  // namespace quorvel::runtime
