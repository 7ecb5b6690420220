#include "runtime/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

#include "runtime/number_path.h"

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

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

#if QUORVEL_NUMBERS_BY_CHARCONV
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

// Reads a text that starts with a sign or a digit, as far as `end`.
double ReadDecimal(const char* begin, const char* end) {
  // from_chars takes no "+".
  const char* const first = *begin == '+' ? begin + 1 : begin;
  double value = 0;
  const auto [stop, error] = std::from_chars(first, end, value);
  if (stop != end) return kNoNumber;
  if (error == std::errc::result_out_of_range) {
    if (DecimalMagnitude(first, end) > 0) return kNoNumber;
    return *first == '-' ? -0.0 : 0.0;
  }
  if (error != std::errc{}) return kNoNumber;
  return value;
}
#else
// Without floating-point from_chars (libc++ before 17, as WebAssembly builds
// get it) strtod reads, which is correctly rounded too, so both give the same
// bits. The text must end in a NUL at `end`.
double ReadDecimal(const char* begin, const char* end) {
  const char* const digits = begin + (*begin == '+' || *begin == '-');
  // strtod also reads hexadecimal, which is no number here.
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return kNoNumber;
  [[maybe_unused]] const CNumericLocale point;
  char* stop = nullptr;
  const double value = std::strtod(begin, &stop);
  // An overflow reads as infinity; an underflow keeps its sign, as above.
  if (stop != end || std::isinf(value)) return kNoNumber;
  return value;
}
#endif

// Reads a trimmed text through a buffer of more than its length.
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
  char* const end = chars + s.size();
  *end = '\0';

  // Both readers take this grammar once their own extras are ruled out: "inf"
  // and "nan" start with a letter.
  const char* digits = chars;
  if (digits < end && (*digits == '+' || *digits == '-')) ++digits;
  if (digits == end || !(IsDigit(*digits) || *digits == '.')) return kNoNumber;
  return ReadDecimal(chars, end);
}

}  // namespace

double ReadAnyNumberOrNaN(std::u16string_view text) {
  const std::u16string_view s = TrimBlanksAndTabs(text);
  char small[64];
  if (s.size() < sizeof small) return ReadTrimmed(s, small);
  std::string large(s.size(), '\0');  // with room for its own NUL
  return ReadTrimmed(s, large.data());
}

}  // namespace quorvel::runtime
