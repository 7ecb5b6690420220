#include "runtime/tab_order.h"

#include <algorithm>
#include <limits>

namespace quorvel::runtime {

std::vector<const ControlDescription*> InTabOrder(const FormDescription& form) {
  std::vector<const ControlDescription*> ordered;
  for (const ControlDescription& control : form.controls) ordered.push_back(&control);
  std::ranges::stable_sort(ordered, {}, [](const ControlDescription* control) {
    return control->tabIndex < 0 ? std::numeric_limits<int>::max() : control->tabIndex;
  });
  return ordered;
}

}  // namespace quorvel::runtime
