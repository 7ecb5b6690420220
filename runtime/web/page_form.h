#pragma once

#include <string>
#include <vector>

#include "runtime/form_description.h"
#include "runtime/form_services.h"

namespace quorvel::runtime::web {

// The web host: builds the page's elements from a window description (see
// app/web/quorvel.js for the page's side) and implements the box, clipboard
// and message box services on them. Texts cross to the page as UTF-16 units,
// so a lone surrogate in a box reaches the core as it is. A message box and
// the clipboard wait for the page through Asyncify: the click's C++ stack is
// put aside while the page's <dialog> is open or the browser writes the
// clipboard, and taken up again with the answer.
class PageForm final : public FormServices {
 public:
  explicit PageForm(const FormDescription& form);

  std::u16string Text(std::string_view box) const override;
  std::size_t TextLength(std::string_view box) const override;
  void SetText(std::string_view box, std::u16string_view text) override;
  void SelectText(std::string_view box, std::size_t start, std::size_t length) override;
  void SetStale(std::string_view box, bool stale) override;
  bool CopyToClipboard(std::u16string_view text) override;
  MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                      std::u16string_view title) override;

  // Gives a single-line box the tooltip and accessible description the
  // shared rule (runtime/box_hint.h) says for its text, its width and its
  // mark. The page asks for it after the user edits the box.
  void UpdateHint(std::string_view box);

 private:
  struct LineBox {
    std::string_view name;  // the description's, which outlives the form
    std::u16string commandTip;
    bool stale = false;
  };
  // A handful of boxes, so a plain list: a map's code would cost the page's
  // first visit more than it saves.
  std::vector<LineBox> lineBoxes_;

  LineBox* Find(std::string_view box);
};

}  // namespace quorvel::runtime::web
