#include "calc/data_scanner.h"

namespace quorvel::calc {
namespace {

// Looks at ScanPos, first stepping over the carriage return of a CR LF pair so
// that only its line feed is seen.
bool AtSeparator(CalcState& s) {
  if (s.DataText[s.ScanPos] == u'\r' && s.ScanPos + 1 < s.TextLen &&
      s.DataText[s.ScanPos + 1] == u'\n') {
    ++s.ScanPos;
  }
  const char16_t c = s.DataText[s.ScanPos];
  return c == u' ' || c == u'\n';
}

}  // namespace

void CountItems(CalcState& s) {
  s.ItemCount = 0;
  s.SepFlag = 1;  // 1: in a run of separators, or at the start
  for (s.ScanPos = 0; s.ScanPos < s.TextLen; ++s.ScanPos) {
    if (AtSeparator(s)) {
      s.SepFlag = 1;
    } else if (s.SepFlag == 1) {
      s.SepFlag = 0;
      ++s.ItemCount;
    }
  }
}

void SplitItems(CalcState& s) {
  s.ItemIndex = 0;
  s.SepFlag = 1;
  std::size_t itemStart = 0;
  for (s.ScanPos = 0; s.ScanPos < s.TextLen; ++s.ScanPos) {
    const std::size_t here = s.ScanPos;
    if (AtSeparator(s)) {
      if (s.SepFlag == 0) {
        s.ItemText[s.ItemIndex] = std::u16string_view(s.DataText).substr(itemStart, here - itemStart);
      }
      s.SepFlag = 1;
    } else if (s.SepFlag == 1) {
      s.SepFlag = 0;
      ++s.ItemIndex;
      itemStart = here;
    }
  }
  if (s.SepFlag == 0) {
    s.ItemText[s.ItemIndex] = std::u16string_view(s.DataText).substr(itemStart);
  }
}

}  // namespace quorvel::calc
