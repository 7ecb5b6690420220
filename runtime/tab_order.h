#pragma once

#include <vector>

#include "runtime/form_description.h"

namespace quorvel::runtime {

// The controls in the order a host creates them: toolkits chain keyboard
// focus in creation order, so this is by tab index, with the controls that
// take no focus (index -1) last.
std::vector<const ControlDescription*> InTabOrder(const FormDescription& form);

}  // namespace quorvel::runtime
