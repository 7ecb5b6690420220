#include "calc/display_text.h"

#include "runtime/number_text.h"

namespace quorvel::calc {

std::u16string DisplayText(const std::optional<double>& result, bool percent) {
  if (!result) return {};
  std::u16string text = runtime::NumberText(*result);
  if (percent) text += u'%';
  return text;
}

}  // namespace quorvel::calc
