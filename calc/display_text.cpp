#include "calc/display_text.h"

#include "runtime/number_text.h"
#include "runtime/trim.h"

namespace quorvel::calc {

std::u16string DisplayText(const std::optional<double>& result, bool percent) {
  if (!result) return {};
  std::u16string text = runtime::Trim(runtime::NumberText(*result));
  const std::size_t afterSign = text.starts_with(u'-') ? 1 : 0;
  if (text.compare(afterSign, 1, u".") == 0) text.insert(afterSign, 1, u'0');
  if (percent) text += u'%';
  return text;
}

}  // namespace quorvel::calc
