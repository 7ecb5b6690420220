#pragma once

#include <span>
#include <string_view>

#include "calc/calc_state.h"
#include "runtime/form_services.h"

namespace quorvel::window {

// The result boxes, in the order their results are computed.
inline constexpr std::string_view kResultBoxes[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};

// Whether the data and precision boxes still hold exactly the texts the
// results on show were computed from. Lengths are compared first, so a
// changed text of any size is told at no cost; only equal lengths are hashed.
bool ResultsCurrent(const runtime::FormServices& form, const calc::CalcState& state);

// Whether results on show came from texts since changed; results never
// computed are not stale, there being none.
bool ResultsStale(const runtime::FormServices& form, const calc::CalcState& state);

// Marks each result box that has a text as `stale` says: an empty box has
// nothing to mark.
void MarkResults(runtime::FormServices& form, bool stale);

}  // namespace quorvel::window
