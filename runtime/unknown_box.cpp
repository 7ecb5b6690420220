#include "runtime/unknown_box.h"

#include <stdexcept>
#include <string>

namespace quorvel::runtime {

void ThrowUnknownBox(std::string_view box) {
  throw std::invalid_argument("no text box named " + std::string(box));
}

}  // namespace quorvel::runtime
