#pragma once

#include <cmath>
#include <optional>
#include <string_view>

#include "runtime/plain_decimal.h"

namespace quorvel::runtime {

// The numeric test and the value reader in one pass: the value of the text,
// or NaN if the text is no number (no text reads as NaN). After dropping
// leading and trailing blanks and tabs, a number is an optional sign, ASCII
// digits with at most one ".", at least one digit, and an optional exponent
// (e or E, optional sign, digits); a value that overflows a double is no
// number. The value is the correctly rounded double, read with "." whatever
// the process locale; a value too small for a double reads as 0.
double ReadAnyNumberOrNaN(std::u16string_view text);

// The same, inline, with the commonest form read without a call: this runs
// once per item of a paste that may hold millions.
inline double ReadNumberOrNaN(std::u16string_view text) {
  double value;
  return ReadPlainDecimal(text, value) ? value : ReadAnyNumberOrNaN(text);
}

// The same as an optional.
inline std::optional<double> ReadNumber(std::u16string_view text) {
  const double value = ReadNumberOrNaN(text);
  if (std::isnan(value)) return std::nullopt;
  return value;
}

}  // namespace quorvel::runtime
