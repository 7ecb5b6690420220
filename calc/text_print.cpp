#include "calc/text_print.h"

namespace quorvel::calc {

std::uint64_t HashText(std::u16string_view text) {
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037u;
  constexpr std::uint64_t kPrime = 1099511628211u;
  std::uint64_t hash = kOffsetBasis;
  // A unit at a time rather than a byte: half the steps of the byte-wise
  // hash, on a text of millions of units.
  for (const char16_t unit : text) hash = (hash ^ unit) * kPrime;
  return hash;
}

}  // namespace quorvel::calc
