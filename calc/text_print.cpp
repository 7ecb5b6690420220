#include "calc/text_print.h"

#include <cstring>

namespace quorvel::calc {

std::uint64_t HashText(std::u16string_view text) {
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037u;
  constexpr std::uint64_t kPrime = 1099511628211u;
  std::uint64_t hash = kOffsetBasis;
  // Four units a step: each step is a multiplication the next one waits
  // for, and a text of millions of units is hashed at every calculation.
  // Xor and multiplication by an odd number are both one-to-one, so a text
  // that differs from another in one step always hashes differently.
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    std::uint64_t units;
    std::memcpy(&units, text.data() + i, sizeof units);
    hash = (hash ^ units) * kPrime;
  }
  for (; i < text.size(); ++i) hash = (hash ^ text[i]) * kPrime;
  return hash;
}

}  // namespace quorvel::calc
