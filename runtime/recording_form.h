#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form_description.h"
#include "runtime/form_services.h"

namespace quorvel::runtime {

// A headless host: keeps the texts of a window's boxes in memory (starting
// with their initial texts), answers every message box at once and records
// each write, selection and message box in order. The probe, the unit tests and the
// fuzz target drive the commands through it; a unit test derives from it to
// act at a command's reads and writes.
class RecordingForm : public FormServices {
 public:
  struct Event {
    enum class Kind { SetText, MsgBox, SelectText, Copy } kind;
    std::string box;         // SetText, SelectText: the box
    std::u16string text;     // SetText: the new text; MsgBox: the prompt; Copy: the text copied
    std::u16string title;    // MsgBox only
    MsgBoxButtons buttons;   // MsgBox only
    std::size_t start = 0;   // SelectText only
    std::size_t length = 0;  // SelectText only

    bool operator==(const Event&) const = default;
  };

  // Yes/No questions get this answer; OK-only boxes are always answered OK.
  explicit RecordingForm(const FormDescription& form, MsgBoxAnswer yesNoAnswer = MsgBoxAnswer::Yes);

  // Sets a box's text as a user would, without recording an event.
  void Type(std::string_view box, std::u16string_view text);

  std::u16string Text(std::string_view box) const override;
  std::size_t TextLength(std::string_view box) const override;
  void SetText(std::string_view box, std::u16string_view text) override;
  void SelectText(std::string_view box, std::size_t start, std::size_t length) override;
  // Stale marks are kept as state, not recorded: a box is marked or not.
  void SetStale(std::string_view box, bool stale) override;
  // Records the copy, or fails as a clipboard held by another program would.
  bool CopyToClipboard(std::u16string_view text) override;
  MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                      std::u16string_view title) override;

  const std::vector<Event>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  bool IsStale(std::string_view box) const { return stale_.contains(box); }
  void RefuseClipboard() { clipboardRefused_ = true; }

 private:
  MsgBoxAnswer yesNoAnswer_;
  bool clipboardRefused_ = false;
  std::set<std::string, std::less<>> stale_;
  std::map<std::string, std::u16string, std::less<>> boxes_;
  std::vector<Event> events_;
};

}  // namespace quorvel::runtime
