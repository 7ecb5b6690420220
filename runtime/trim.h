#pragma once

#include <string>
#include <string_view>

namespace quorvel::runtime {

// Drops leading and trailing blanks (U+0020 only).
std::u16string Trim(std::u16string_view text);

}  // namespace quorvel::runtime
