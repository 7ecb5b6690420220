#pragma once

// Reads tests/cases.tsv, the one table of calculation cases that every test
// layer runs: the core through the recording form, the Qt window and the
// Win32 window through their real controls (rows marked "w").

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cases {

struct Message {
  std::u16string title, prompt;
};

// Where a click leaves the keyboard focus: `length` units of the box's text
// selected from unit `start`.
struct Selection {
  std::string box;
  std::size_t start = 0, length = 0;
};

// Type the precision and the data, click 计算: the five result boxes are
// written with `results` (unless !writesResults: then they keep their
// texts), then `messages` show in order, then the focus goes to `focus` if
// the row names one. A row marked "c" then copies all results: the count of
// items read follows the "c". A row marked "e" then adds a blank to the data,
// which makes every written result stale, and takes it away again. A row
// marked "y" or "n" then clicks 清空 and answers Yes or No; its last message
// is that question.
struct Case {
  std::string name;
  bool window = false;
  char clearAnswer = 0;                    // 'y', 'n' or 0 for no 清空 click
  std::optional<std::size_t> copiedCount;  // copy all results, with this count
  bool editsAfter = false;
  std::u16string precision, data;
  bool writesResults = false;
  std::array<std::u16string, 5> results;
  std::optional<Selection> focus;
  std::vector<Message> messages;
};

// Throws std::runtime_error naming the line of a malformed row.
std::vector<Case> ReadCases(const std::string& path);

}  // namespace quorvel::cases
