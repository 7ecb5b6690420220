#include "calc/data_scanner.h"

#include <cstring>

namespace quorvel::calc {
namespace {

// 1 if the unit c, followed by next (0 at the end of the text), is a
// separator: a blank, a line feed, or the carriage return of a CR LF pair.
std::uint8_t IsSeparator(char16_t c, char16_t next) {
  return (c == u' ') | (c == u'\n') | ((c == u'\r') & (next == u'\n'));
}

}  // namespace

std::uint64_t SeparatorBits(const char16_t* block, std::size_t available) {
  // Plain loops over whole blocks, which the compiler turns into vector code.
  std::uint8_t flags[kScanBlock];
  if (available >= kScanBlock) {
    for (std::size_t j = 0; j < kScanBlock; ++j) flags[j] = IsSeparator(block[j], block[j + 1]);
  } else {
    for (std::size_t j = 0; j < kScanBlock; ++j) {
      flags[j] = j < available ? IsSeparator(block[j], block[j + 1]) : 1;
    }
  }
  // Gathers eight 0/1 bytes into eight bits: the multiplier moves byte i's
  // bit to bit 56 + i, and no two partial products overlap.
  std::uint64_t bits = 0;
  for (std::size_t k = 0; k < kScanBlock / 8; ++k) {
    std::uint64_t eight;
    std::memcpy(&eight, flags + 8 * k, sizeof eight);
    bits |= ((eight * 0x0102'0408'1020'4080) >> 56) << (8 * k);
  }
  return bits;
}

std::size_t CountItems(const std::u16string& text) {
  std::size_t count = 0;
  ForEachItemBoundary(text, [&count](const char16_t*, std::uint64_t starts, std::uint64_t) {
    count += static_cast<std::size_t>(std::popcount(starts));
  });
  return count;
}

}  // namespace quorvel::calc
