#include "window/clear_command.h"

namespace quorvel::window {

void Clear(runtime::FormServices& form) {
  using runtime::MsgBoxAnswer;
  using runtime::MsgBoxButtons;
  if (form.MsgBox(kClearPrompt, MsgBoxButtons::YesNo, kClearTitle) != MsgBoxAnswer::Yes) return;
  for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"}) {
    form.SetText(box, u"");
  }
}

}  // namespace quorvel::window
