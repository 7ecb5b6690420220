#include "runtime/numeric.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace quorvel::runtime {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlankOrTab(char16_t c) {
  return c == u' ' || c == u'\t';
}

std::u16string_view TrimBlanksAndTabs(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlankOrTab(text[first])) ++first;
  while (last > first && IsBlankOrTab(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Roughly log10 of the magnitude of a text that passed the grammar check:
// enough to tell an overflow from an underflow, which from_chars reports alike.
std::int64_t DecimalMagnitude(const char* p, const char* end) {
  std::int64_t leadingZeros = 0;  // zeros after the point, before the first other digit
  std::int64_t integerDigits = 0;
  bool significant = false;
  bool afterPoint = false;
  for (; p < end && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (IsDigit(*p)) {
      significant = significant || *p != '0';
      if (significant && !afterPoint) ++integerDigits;
      if (!significant && afterPoint) ++leadingZeros;
    }
  }
  std::int64_t exponent = 0;
  bool negativeExponent = false;
  if (p < end) {
    ++p;
    if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
    constexpr std::int64_t kSaturated = 1'000'000'000;  // far beyond any double
    for (; p < end; ++p) exponent = std::min(kSaturated, exponent * 10 + (*p - '0'));
  }
  return (negativeExponent ? -exponent : exponent) +
         (integerDigits > 0 ? integerDigits : -leadingZeros);
}

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

// Reads a trimmed text through a buffer of at least its length.
double ReadTrimmed(std::u16string_view s, char* chars) {
  // Narrow to ASCII first; a number has no other characters, and a unit
  // beyond ASCII must not pass as the byte it narrows to (U+4E31 as "1").
  // The loop has no early exit so the compiler narrows whole vectors at once.
  char16_t allBits = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    chars[i] = static_cast<char>(s[i]);
    allBits |= s[i];
  }
  if (allBits > 0x7F) return kNoNumber;
  const char* const end = chars + s.size();

  // from_chars reads exactly this grammar once its own extras are ruled out:
  // it takes no "+", and it reads "inf" and "nan", which start with a letter.
  const char* digits = chars;
  if (digits < end && (*digits == '+' || *digits == '-')) ++digits;
  if (digits == end || !(IsDigit(*digits) || *digits == '.')) return kNoNumber;
  const char* const begin = chars[0] == '+' ? digits : chars;

  double value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (stop != end) return kNoNumber;
  if (error == std::errc::result_out_of_range) {
    if (DecimalMagnitude(begin, end) > 0) return kNoNumber;
    return chars[0] == '-' ? -0.0 : 0.0;
  }
  if (error != std::errc{}) return kNoNumber;
  return value;
}

}  // namespace

double ReadAnyNumberOrNaN(std::u16string_view text) {
  const std::u16string_view s = TrimBlanksAndTabs(text);
  char small[64];
  if (s.size() <= sizeof small) return ReadTrimmed(s, small);
  std::string large(s.size(), '\0');
  return ReadTrimmed(s, large.data());
}

}  // namespace quorvel::runtime
