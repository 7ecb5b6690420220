#pragma once

#include <cmath>
#include <optional>
#include <string_view>

namespace quorvel::runtime {

// The numeric test and the value reader in one pass: the value of the text,
// or NaN if the text is no number (no text reads as NaN). After dropping
// leading and trailing blanks and tabs, a number is an optional sign, ASCII
// digits with at most one ".", at least one digit, and an optional exponent
// (e or E, optional sign, digits); a value that overflows a double is no
// number. The value is the correctly rounded double, read with "." whatever
// the process locale; a value too small for a double reads as 0.
double ReadNumberOrNaN(std::u16string_view text);

// The same as an optional. Inline, so that the optional lives in registers:
// built out of line, it would pass through memory once per item.
inline std::optional<double> ReadNumber(std::u16string_view text) {
  const double value = ReadNumberOrNaN(text);
  if (std::isnan(value)) return std::nullopt;
  return value;
}

}  // namespace quorvel::runtime
