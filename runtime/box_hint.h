#pragma once

#include <string>
#include <string_view>

namespace quorvel::runtime {

// How every host tells what a single-line box does not show in its text: a
// result since made stale, a text too long for the box, the command the box
// offers. Hosts only draw what these say, so the three hosts behave alike.

inline constexpr std::u16string_view kStaleNote = u"结果已过期：原始数据或精度已改动，请重新计算。";

// A text is cut once it is wider than the room for it, by any fraction of a
// pixel: rounding the width first would hide a last character's sliver
// without telling.
constexpr bool IsCut(double textWidth, double room) {
  return textWidth > room;
}

// Where the keyboard focus goes when a box loses it.
enum class FocusGoes {
  ToAnotherControl,  // of the same window: the box shows its text's start again
  OutOfTheWindow,    // a message box, a menu, another program: caret and view stay
};

constexpr bool ShowsStartAgain(FocusGoes where) {
  return where == FocusGoes::ToAnotherControl;
}

// What a box's tooltip and accessible description say, besides its text.
struct BoxHint {
  std::u16string tooltip;
  std::u16string description;
};

// A stale box says so first; a cut text is told whole, so that it can still
// be read in full; a box with nothing else to tell names the command it
// offers in its tooltip (`commandTip`, empty for none) so that it can be found.
BoxHint HintFor(std::u16string_view text, bool cut, bool stale, std::u16string_view commandTip);

// The tooltip that names a command and its shortcut, as "复制全部结果
// (Ctrl+Shift+C)".
std::u16string CommandTip(std::u16string_view caption, std::u16string_view shortcut);

}  // namespace quorvel::runtime
