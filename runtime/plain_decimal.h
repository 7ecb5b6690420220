#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace quorvel::runtime {

// Reads the commonest form of lab data, an optional "-", decimal digits and at
// most one "." (such as "97.1234"), straight from the UTF-16 units; returns
// false for any other text, which the full reader then judges. The value is
// the correctly rounded double, the same bit for bit as from_chars gives:
// with at most 2^53 as the digits' integer and at most 19 digits in all, both
// operands of the one division (the integer and a power of ten up to 1e19)
// are exact doubles, and IEEE division rounds correctly.
inline bool ReadPlainDecimal(std::u16string_view text, double& value) {
  constexpr double kPowersOfTen[] = {
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};  // all exact
  constexpr std::size_t kMaxDigits = 19;  // enough for 2^53, and no wrap in 64 bits
  static_assert(kMaxDigits < std::size(kPowersOfTen), "every place count has its exact power");
  constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;

  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  const bool negative = p < end && *p == u'-';
  if (negative) ++p;
  const char16_t* const first = p;
  const char16_t* point = nullptr;
  std::uint64_t digits = 0;
  for (; p < end; ++p) {
    // The unit itself is judged: no narrowing can make U+4E31 look like "1".
    const unsigned digit = static_cast<unsigned>(*p) - u'0';
    if (digit < 10) {
      digits = digits * 10 + digit;
    } else if (*p == u'.' && point == nullptr) {
      point = p;
    } else {
      return false;
    }
  }
  const std::size_t afterPoint = point == nullptr ? 0 : end - point - 1;
  const std::size_t digitCount = (end - first) - (point == nullptr ? 0 : 1);
  if (digitCount == 0 || digitCount > kMaxDigits || digits > kMaxExactInteger) return false;
  const double magnitude = static_cast<double>(digits) / kPowersOfTen[afterPoint];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace quorvel::runtime
