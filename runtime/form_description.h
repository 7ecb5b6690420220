#pragma once

#include <span>
#include <string_view>

#include "runtime/form_services.h"

namespace quorvel::runtime {

// A window described as data, the way a form file describes a form: a host
// turns any FormDescription into real controls. Positions and sizes are in twips
// (1440 per inch) from the top left corner of the client area.

enum class ControlKind { TextBox, Label, CommandButton, Image };

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// A font a control asks for. Windows takes the face by name and maps it
// itself; a toolkit that matches by family tries the families in order, so a
// machine without the first still gets a face of the same style.
struct FontDescription {
  std::u16string_view face;
  std::span<const std::u16string_view> families;
  double pointSize;
  int weight;   // 400 regular, 700 bold
  int charset;  // Windows character set, 134 for GB2312
};

struct ControlDescription {
  std::string_view name;
  ControlKind kind;
  TwipsRect rect;
  std::u16string_view text;     // caption, or the initial text of a box
  const FontDescription* font;  // nullptr: the window's default font
  int tabIndex;                 // order of keyboard focus; -1 takes no focus
  bool multiLine;
  std::u16string_view accessibleName;  // empty for controls a reader names by text
};

// Pictures belong to the program, not to the description: a host finds the
// window's icon under the form's name and an Image's picture under the
// control's name, among the pictures it embeds (assets/: an .ico with 16 x 16
// and 32 x 32 images in 16 colours and 32-bit ones from 16 to 256 pixels, a
// .bmp for each Image).
// A command offered beside the buttons: an entry in the context menu of each
// box it names, and a shortcut anywhere in the window (Ctrl+Shift with `key`
// on the desktop). The host delivers it by its name, as a click.
struct MenuCommand {
  std::string_view name;
  std::u16string_view caption;
  char key;
  std::span<const std::string_view> boxes;
};

struct FormDescription {
  std::string_view name;
  std::u16string_view caption;
  int clientWidthTwips;
  int clientHeightTwips;
  std::span<const ControlDescription> controls;
  std::span<const MenuCommand> commands;
};

// Receives what a host delivers: clicks of buttons and menu commands by name,
// and every change of a box's text, whether the user or a command made it.
class ClickTarget {
 public:
  virtual ~ClickTarget() = default;
  virtual void Click(std::string_view control, FormServices& form) = 0;
  // A target that shows nothing derived from the boxes ignores their changes.
  virtual void Change(std::string_view /*box*/, FormServices& /*form*/) {}
};

}  // namespace quorvel::runtime
