#include "window/copy_command.h"

#include <string>
#include <vector>

#include "window/stale_marks.h"

namespace quorvel::window {
namespace {

// Spreadsheets on Windows split rows at CR LF, elsewhere at LF.
#ifdef _WIN32
constexpr std::u16string_view kLineEnd = u"\r\n";
#else
constexpr std::u16string_view kLineEnd = u"\n";
#endif

// Labels of the result boxes, in their order, then of the count and the
// precision.
constexpr std::u16string_view kLabels[] = {
    u"平均值",   u"平均偏差", u"相对平均偏差(%)", u"标准偏差(S)", u"相对标准偏差(RSD%)",
    u"数据个数", u"精度"};

bool AnyResult(const runtime::FormServices& form) {
  for (const std::string_view box : kResultBoxes) {
    if (form.TextLength(box) > 0) return true;
  }
  return false;
}

template <typename Cells>
std::u16string Row(const Cells& cells) {
  std::u16string row;
  for (std::size_t i = 0; i < std::size(cells); ++i) {
    if (i > 0) row += u'\t';
    row += cells[i];
  }
  return row += kLineEnd;
}

}  // namespace

void CopyResults(runtime::FormServices& form, const calc::CalcState& state) {
  if (!ResultsCurrent(form, state) || !AnyResult(form)) {
    form.MsgBox(kNothingToCopyPrompt, runtime::MsgBoxButtons::OkOnly, kCopyTitle);
    return;
  }
  std::vector<std::u16string> values;
  for (const std::string_view box : kResultBoxes) values.push_back(form.Text(box));
  const std::string count = std::to_string(state.Shown->itemCount);
  values.emplace_back(count.begin(), count.end());
  values.push_back(form.Text("Text7"));
  if (!form.CopyToClipboard(Row(kLabels) + Row(values))) {
    form.MsgBox(kClipboardPrompt, runtime::MsgBoxButtons::OkOnly, kCopyTitle);
  }
}

}  // namespace quorvel::window
