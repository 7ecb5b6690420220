#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::runtime {

// Button sets and answers keep the runtime's numeric codes, so a host can pass
// them straight to a platform message box.
enum class MsgBoxButtons { OkOnly = 0, YesNo = 4 };
enum class MsgBoxAnswer { Ok = 1, Yes = 6, No = 7 };

// What a command may do to its window: read and write the whole text of a box
// named like "Text1", select part of a box's text, mark a box stale, put text
// on the clipboard and show a modal message box without an icon. Hosts (Qt, Win32, the web page,
// the recording fake) implement it; commands never see a widget.
class FormServices {
 public:
  virtual ~FormServices() = default;

  virtual std::u16string Text(std::string_view box) const = 0;
  // The length of a box's text in UTF-16 units, found without copying it.
  virtual std::size_t TextLength(std::string_view box) const = 0;
  virtual void SetText(std::string_view box, std::u16string_view text) = 0;
  // Gives the box the keyboard focus with `length` units of its text selected
  // from unit `start` (UTF-16 units of the text Text() returned, from 0) and
  // scrolled into view, so that after a message the user lands on what to
  // mend. Changes no text.
  virtual void SelectText(std::string_view box, std::size_t start, std::size_t length) = 0;
  // Marks a box as showing a result of texts since changed (drawn in the
  // disabled-text colour and described so), or takes the mark away. The
  // box's text is untouched either way.
  virtual void SetStale(std::string_view box, bool stale) = 0;
  // Puts `text` on the clipboard as plain text; false, with nothing copied,
  // when the clipboard cannot be had.
  virtual bool CopyToClipboard(std::u16string_view text) = 0;
  virtual MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                              std::u16string_view title) = 0;
};

}  // namespace quorvel::runtime
