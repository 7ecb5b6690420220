#pragma once

#include "calc/calc_state.h"

namespace quorvel::calc {

// Items are the maximal runs of characters that are not separators. A
// separator is a blank or a line feed; a carriage return directly before a
// line feed is passed over with it. A lone carriage return, a tab or U+3000
// belongs to an item, and the numeric test judges it later.

// Counts the items of DataText (0 for a text of separators only).
void CountItems(CalcState& state);

// Fills ItemText(1) to ItemText(ItemCount); the arrays must be sized first.
void SplitItems(CalcState& state);

}  // namespace quorvel::calc
