#include "calc/data_scanner.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorvel::calc {
namespace {

// A paste can hold millions of units, so both passes avoid a branch per unit:
// they classify units in bulk, which the compiler turns into vector code.

// 1 if the unit c, followed by next (0 at the end of the text), is a
// separator: a blank, a line feed, or the carriage return of a CR LF pair.
std::uint8_t IsSeparator(char16_t c, char16_t next) {
  return (c == u' ') | (c == u'\n') | ((c == u'\r') & (next == u'\n'));
}

constexpr std::size_t kBlock = 64;

// Bit j is set if unit j of the block at p is a separator; units past the end
// of the text count as separators. p[available] may be read: a string's
// terminating null is there at the end of the text.
std::uint64_t SeparatorBits(const char16_t* p, std::size_t available) {
  std::uint8_t flags[kBlock];
  if (available >= kBlock) {
    for (std::size_t j = 0; j < kBlock; ++j) flags[j] = IsSeparator(p[j], p[j + 1]);
  } else {
    for (std::size_t j = 0; j < kBlock; ++j) {
      flags[j] = j < available ? IsSeparator(p[j], p[j + 1]) : 1;
    }
  }
  // Gathers eight 0/1 bytes into eight bits: the multiplier moves byte i's
  // bit to bit 56 + i, and no two partial products overlap.
  std::uint64_t bits = 0;
  for (std::size_t k = 0; k < kBlock / 8; ++k) {
    std::uint64_t eight;
    std::memcpy(&eight, flags + 8 * k, sizeof eight);
    bits |= ((eight * 0x0102'0408'1020'4080) >> 56) << (8 * k);
  }
  return bits;
}

}  // namespace

void CountItems(CalcState& s) {
  // An item starts wherever an item character follows a separator or the
  // start of the text.
  const char16_t* const text = s.DataText.c_str();
  const std::size_t n = s.TextLen;
  std::size_t count = n > 0 ? 1 - IsSeparator(text[0], text[1]) : 0;
  for (std::size_t i = 1; i < n; ++i) {
    count += IsSeparator(text[i - 1], text[i]) & (1 - IsSeparator(text[i], text[i + 1]));
  }
  s.ItemCount = count;
  s.ScanPos = n;
  s.SepFlag = 1;  // the text has ended, as after a separator run
}

void SplitItems(CalcState& s) {
  static_assert(std::endian::native == std::endian::little, "unit j of a block in bit j");
  const char16_t* const text = s.DataText.c_str();
  const std::size_t n = s.TextLen;
  std::size_t started = 0;
  std::size_t ended = 0;
  std::uint64_t separatorBefore = 1;  // the start of the text acts as one
  for (std::size_t block = 0; block < n; block += kBlock) {
    const char16_t* const p = text + block;
    const std::uint64_t separators = SeparatorBits(p, n - block);
    const std::uint64_t before = (separators << 1) | separatorBefore;
    separatorBefore = separators >> 63;
    // An item starts at an item character after a separator, and ends (its
    // end exclusive) at a separator after an item character. A start is kept
    // as an empty view until its end is found, possibly blocks later.
    for (std::uint64_t starts = before & ~separators; starts != 0; starts &= starts - 1) {
      s.ItemText[++started] = std::u16string_view(p + std::countr_zero(starts), 0);
    }
    for (std::uint64_t ends = ~before & separators; ends != 0; ends &= ends - 1) {
      std::u16string_view& item = s.ItemText[++ended];
      item = std::u16string_view(item.data(), p + std::countr_zero(ends) - item.data());
    }
  }
  if (ended < started) {  // the text ends inside the last item
    std::u16string_view& item = s.ItemText[started];
    item = std::u16string_view(item.data(), text + n - item.data());
  }
  s.ItemIndex = started;
  s.ScanPos = n;
  s.SepFlag = 1;
}

}  // namespace quorvel::calc
