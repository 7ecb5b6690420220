#include "runtime/trim.h"

namespace quorvel::runtime {

std::u16string Trim(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(u' ');
  return std::u16string(text.substr(first, last - first + 1));
}

}  // namespace quorvel::runtime
