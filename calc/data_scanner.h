#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::calc {

// Items are the maximal runs of characters that are not separators. A
// separator is a blank or a line feed; a carriage return directly before a
// line feed is passed over with it. A lone carriage return, a tab or U+3000
// belongs to an item, and the numeric test judges it later.
//
// Both passes below see the text through ForEachItemBoundary, so they find
// the same items by construction: SplitItems hands out exactly as many items
// as CountItems counts.

// A paste can hold millions of units, so boundaries are found 64 units at a
// time, without a branch per unit.
inline constexpr std::size_t kScanBlock = 64;

// Bit j is set if unit j of the block at block is a separator; units past
// the end of the text count as separators. block[available] may be read: a
// string's terminating null is there at the end of the text.
std::uint64_t SeparatorBits(const char16_t* block, std::size_t available);

// Calls onBlock(block, starts, ends) for each block of the text in order. Bit
// j of starts is set where an item starts at unit j, bit j of ends where an
// item ends (exclusive) at unit j. Starts and ends alternate through the
// text, beginning with a start; an item that runs to the end of a text whose
// length is a multiple of the block has no end bit.
template <class OnBlock>
void ForEachItemBoundary(const std::u16string& text, OnBlock onBlock) {
  static_assert(std::endian::native == std::endian::little, "unit j of a block in bit j");
  std::uint64_t separatorBefore = 1;  // the start of the text acts as one
  for (std::size_t at = 0; at < text.size(); at += kScanBlock) {
    const char16_t* const block = text.c_str() + at;
    const std::uint64_t separators = SeparatorBits(block, text.size() - at);
    const std::uint64_t before = (separators << 1) | separatorBefore;
    separatorBefore = separators >> (kScanBlock - 1);
    onBlock(block, before & ~separators, ~before & separators);
  }
}

// The number of items (0 for a text of separators only).
std::size_t CountItems(const std::u16string& text);

// Calls visit(item) for each item in order, item a view into text.
template <class Visit>
void SplitItems(const std::u16string& text, Visit visit) {
  const char16_t* open = nullptr;  // the start of the item being cut
  ForEachItemBoundary(text, [&](const char16_t* block, std::uint64_t starts, std::uint64_t ends) {
    for (std::uint64_t bounds = starts | ends; bounds != 0; bounds &= bounds - 1) {
      const char16_t* const at = block + std::countr_zero(bounds);
      if (open == nullptr) {
        open = at;
      } else {
        visit(std::u16string_view(open, at - open));
        open = nullptr;
      }
    }
  });
  if (open != nullptr) visit(std::u16string_view(open, text.data() + text.size() - open));
}

}  // namespace quorvel::calc
