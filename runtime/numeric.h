#pragma once

#include <optional>
#include <string_view>

namespace quorvel::runtime {

// The numeric test and the value reader in one pass. After dropping leading
// and trailing blanks and tabs, a number is an optional sign, ASCII digits
// with at most one ".", at least one digit, and an optional exponent (e or E,
// optional sign, digits). Anything else, and any value that overflows a
// double, gives nullopt. The value is the correctly rounded double, read with
// "." whatever the process locale; a value too small for a double reads as 0.
std::optional<double> ReadNumber(std::u16string_view text);

}  // namespace quorvel::runtime
