#pragma once

#include "calc/calc_state.h"
#include "runtime/form_services.h"

namespace quorvel::calc {

// The click procedure of the Calculate button. Reads Text7 (precision) and
// Text1 (data); on success writes Text2 to Text6 in order, then reports any
// result that could not be computed. Input errors are reported in message
// boxes and leave every box as it was; the box to mend then takes the focus,
// with the text at fault selected. Text1 and Text7 are never written.
// Returns whether it wrote the results, which are then current.
bool Calculate(runtime::FormServices& form, CalcState& state);

}  // namespace quorvel::calc
