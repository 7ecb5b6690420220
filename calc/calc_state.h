#pragma once

// How a calculation flows: the data box's text is taken once into DataText;
// the scanner counts its items, which sizes ItemValue, then cuts it into item
// texts (views into DataText, never copied or stored); the reading loop turns
// each item text into its ItemValue as it is cut and sums Total; the
// statistics round each result by the precision; each result's display text
// goes into its box. Every input check happens before any box is written, so
// a rejected calculation leaves all boxes as they were.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calc/text_print.h"

namespace quorvel::calc {

// What the results on show were computed from: prints of the data and
// precision texts, not copies, and the count of items read.
struct ShownInputs {
  TextPrint data;
  TextPrint precision;
  std::size_t itemCount = 0;
};

// The working fields the window holds for the Calculate command. The command
// sets every field before reading it, so nothing carries over between clicks
// but Shown.
// While a click runs, ItemValue runs from 0 to ItemCount; element 0 is never
// used, so item numbers shown to the user are the indexes themselves. The
// click gives DataText and ItemValue back when it ends.
struct CalcState {
  std::u16string DataText;
  std::vector<double> ItemValue;
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
  // Set by the last calculation that wrote results; kept between clicks.
  std::optional<ShownInputs> Shown;
};

}  // namespace quorvel::calc
