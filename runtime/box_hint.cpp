#include "runtime/box_hint.h"

namespace quorvel::runtime {

BoxHint HintFor(std::u16string_view text, bool cut, bool stale, std::u16string_view commandTip) {
  std::u16string told;
  if (stale) told = kStaleNote;
  if (cut) {
    if (!told.empty()) told += u'\n';
    told += text;
  }
  if (told.empty()) return {std::u16string(commandTip), {}};
  return {told, told};
}

std::u16string CommandTip(std::u16string_view caption, std::u16string_view shortcut) {
  return std::u16string(caption) + u" (" + std::u16string(shortcut) + u")";
}

}  // namespace quorvel::runtime
