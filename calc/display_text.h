#pragma once

#include <optional>
#include <string>

namespace quorvel::calc {

// The text a result box shows: the number text, then "%" for the percent
// boxes. A result that could not be computed shows as the empty text, with no
// "%".
std::u16string DisplayText(const std::optional<double>& result, bool percent);

}  // namespace quorvel::calc
