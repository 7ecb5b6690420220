#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::calc {

// What is kept of a text to tell later whether a box still holds it, without
// keeping a copy: its length, compared first because a box gives it at no
// cost, and a 64-bit hash of its UTF-16 units (FNV-1a, four units a step).
struct TextPrint {
  std::size_t length = 0;
  std::uint64_t hash = 0;

  bool operator==(const TextPrint&) const = default;
};

std::uint64_t HashText(std::u16string_view text);

inline TextPrint PrintOf(std::u16string_view text) {
  return {text.size(), HashText(text)};
}

}  // namespace quorvel::calc
