#include "runtime/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "runtime/number_path.h"

namespace quorvel::runtime {
namespace {

constexpr int kSignificantDigits = 15;
constexpr double kFirstExponentForm = 1e15;

std::u16string Widen(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

}  // namespace

std::u16string NumberText(double value) {
  if (!std::isfinite(value)) {
    return Widen(std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf"));
  }
  if (value == 0) return u"0";
  std::u16string out = value < 0 ? u"-" : u"";

  // Round to 15 significant digits: "d.dddddddddddddde+XX".
  char buf[40];
#if QUORVEL_NUMBERS_BY_CHARCONV
  const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view sci(buf, result.ptr - buf);
#else
  // Without floating-point to_chars (libc++ 14, as WebAssembly builds get
  // it) snprintf writes: correctly rounded, with at least two exponent
  // digits, the same text to_chars writes. The point is passed over by its
  // place, but a locale's point may take more than one byte.
  [[maybe_unused]] const CNumericLocale point;
  const int length =
      std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, std::fabs(value));
  const std::string_view sci(buf, length);
#endif
  const std::size_t e = sci.find('e');
  // from_chars takes no "+", and to_chars always writes a sign.
  const std::size_t exponentDigits = e + (sci[e + 1] == '+' ? 2 : 1);
  int exponent = 0;
  std::from_chars(sci.data() + exponentDigits, sci.data() + sci.size(), exponent);
  std::string digits;
  digits += sci[0];
  digits += sci.substr(2, e - 2);
  digits.erase(digits.find_last_not_of('0') + 1);

  // The form follows the value itself, not its rounded digits.
  if (std::fabs(value) >= kFirstExponentForm) {
    out += digits[0];
    if (digits.size() > 1) out += u'.' + Widen(std::string_view(digits).substr(1));
    return out + u"E+" + Widen(std::to_string(exponent));
  }
  if (exponent < 0) {
    return out + u"0." + std::u16string(-exponent - 1, u'0') + Widen(digits);
  }
  const std::size_t integerDigits = exponent + 1;
  if (digits.size() <= integerDigits) {
    return out + Widen(digits) + std::u16string(integerDigits - digits.size(), u'0');
  }
  const std::string_view all(digits);
  return out + Widen(all.substr(0, integerDigits)) + u'.' + Widen(all.substr(integerDigits));
}

}  // namespace quorvel::runtime
