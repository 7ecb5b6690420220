#pragma once

#include "runtime/form_description.h"
#include "runtime/form_services.h"

namespace quorvel::runtime::web {

// The web host: builds the page's elements from a window description (see
// app/web/quorvel.js for the page's side) and implements the box and message
// box services on them. Texts cross to the page as UTF-16 units, so a lone
// surrogate in a box reaches the core as it is. A message box waits for its
// answer through Asyncify: the click's C++ stack is put aside while the
// page's <dialog> is open, and taken up again with the answer.
class PageForm final : public FormServices {
 public:
  explicit PageForm(const FormDescription& form);

  std::u16string Text(std::string_view box) const override;
  void SetText(std::string_view box, std::u16string_view text) override;
  void SelectText(std::string_view box, std::size_t start, std::size_t length) override;
  MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                      std::u16string_view title) override;
};

}  // namespace quorvel::runtime::web
