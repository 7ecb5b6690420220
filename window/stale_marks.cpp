#include "window/stale_marks.h"

namespace quorvel::window {
namespace {

bool StillHolds(const runtime::FormServices& form, std::string_view box, calc::TextPrint print) {
  return form.TextLength(box) == print.length && calc::HashText(form.Text(box)) == print.hash;
}

}  // namespace

bool ResultsCurrent(const runtime::FormServices& form, const calc::CalcState& state) {
  if (!state.Shown) return false;
  // The precision first: it is short, the data may be millions of units.
  return StillHolds(form, "Text7", state.Shown->precision) &&
         StillHolds(form, "Text1", state.Shown->data);
}

bool ResultsStale(const runtime::FormServices& form, const calc::CalcState& state) {
  return state.Shown && !ResultsCurrent(form, state);
}

void MarkResults(runtime::FormServices& form, bool stale) {
  for (const std::string_view box : kResultBoxes) {
    form.SetStale(box, stale && form.TextLength(box) > 0);
  }
}

}  // namespace quorvel::window
