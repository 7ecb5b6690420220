#include "runtime/tab_order.h"

#include <algorithm>
#include <limits>

namespace quorvel::runtime {

std::vector<const ControlDescription*> InTabOrder(const FormDescription& form) {
  std::vector<const ControlDescription*> ordered;
  for (const ControlDescription& control : form.controls) ordered.push_back(&control);
  const auto position = [](const ControlDescription* control) {
    return control->tabIndex < 0 ? std::numeric_limits<int>::max() : control->tabIndex;
  };
  // std::, not std::ranges::: libc++ 14, as WebAssembly builds get it, has no
  // ranges::stable_sort.
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const auto* a, const auto* b) { return position(a) < position(b); });
  return ordered;
}

}  // namespace quorvel::runtime
