#pragma once

// How a calculation flows: the data box's text is taken once into DataText;
// the scanner cuts it into ItemText (views into DataText, so a million items
// cost no copies); the reading loop turns each into ItemValue and sums Total;
// the statistics round each result by the precision; each result's display
// text goes into its box. Every input check happens before any box is
// written, so a rejected calculation leaves all boxes as they were.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::calc {

// The working fields the window holds for the Calculate command. The command
// sets every field before reading it, so nothing carries over between clicks.
// Arrays run from 0 to ItemCount; element 0 is never used, so item numbers
// shown to the user are the indexes themselves.
struct CalcState {
  std::u16string DataText;
  std::vector<std::u16string_view> ItemText;
  std::vector<double> ItemValue;
  std::size_t ScanPos = 0;  // 0-based position in DataText
  int SepFlag = 0;
  std::size_t ItemIndex = 0;
  std::size_t TextLen = 0;
  std::size_t ItemCount = 0;
  double Factor = 0;
  double Total = 0;
  // A result is nullopt when it cannot be computed; its box is then emptied.
  std::optional<double> Mean;
  double AbsDevSum = 0;
  std::optional<double> AvgDev;
  std::optional<double> RelAvgDev;
  double SqDevSum = 0;
  std::optional<double> StdDev;
  std::optional<double> RelStdDev;
  bool BadInput = false;
};

}  // namespace quorvel::calc
