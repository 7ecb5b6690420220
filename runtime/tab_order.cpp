#include "runtime/tab_order.h"

#include <algorithm>
#include <limits>

namespace quorvel::runtime {

std::vector<const ControlSpec*> InTabOrder(const FormSpec& form) {
  std::vector<const ControlSpec*> ordered;
  for (const ControlSpec& control : form.controls) ordered.push_back(&control);
  std::ranges::stable_sort(ordered, {}, [](const ControlSpec* control) {
    return control->tabIndex < 0 ? std::numeric_limits<int>::max() : control->tabIndex;
  });
  return ordered;
}

}  // namespace quorvel::runtime
