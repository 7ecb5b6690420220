#include "calc/calculate_command.h"

#include <cmath>
#include <string>

#include "calc/data_scanner.h"
#include "calc/display_text.h"
#include "calc/messages.h"
#include "calc/statistics.h"
#include "runtime/numeric.h"

namespace quorvel::calc {
namespace {

using runtime::MsgBoxButtons;

// More item messages than this would trap the user in a long row of modal
// boxes; the rest are summed up in one.
constexpr std::size_t kMaxItemMessages = 10;

void ShowOk(runtime::FormServices& form, std::u16string_view prompt, std::u16string_view title) {
  form.MsgBox(prompt, MsgBoxButtons::OkOnly, title);
}

std::u16string CountPrompt(std::u16string_view start, std::size_t count) {
  const std::string digits = std::to_string(count);
  return std::u16string(start) + std::u16string(digits.begin(), digits.end()) +
         std::u16string(kItemPromptEnd);
}

// A precision must be a number whose reciprocal is a finite positive factor.
std::optional<double> FactorOf(std::u16string_view precisionText) {
  const std::optional<double> precision = runtime::ReadNumber(precisionText);
  if (!precision || !(*precision > 0)) return std::nullopt;
  const double factor = 1 / *precision;
  if (!std::isfinite(factor)) return std::nullopt;
  return factor;
}

// Reads every item; reports the first ten bad ones by number and the rest in
// one summary. Returns whether all items were numbers.
bool ReadItems(runtime::FormServices& form, CalcState& s) {
  // The sum stays in a local while the loop runs: through the state it would
  // go to memory and back once per item.
  double total = 0;
  s.BadInput = false;
  std::size_t badCount = 0;
  for (s.ItemIndex = 1; s.ItemIndex <= s.ItemCount; ++s.ItemIndex) {
    if (const auto value = runtime::ReadNumber(s.ItemText[s.ItemIndex])) {
      s.ItemValue[s.ItemIndex] = *value;
      total = *value + total;
    } else {
      s.BadInput = true;
      if (++badCount <= kMaxItemMessages) {
        ShowOk(form, CountPrompt(kItemPromptStart, s.ItemIndex), kItemTitle);
      }
    }
  }
  s.Total = total;
  if (badCount > kMaxItemMessages) {
    ShowOk(form, CountPrompt(kMoreItemsPromptStart, badCount - kMaxItemMessages), kItemTitle);
  }
  return !s.BadInput;
}

// The results in the order they are computed and shown. Columns: result
// box, whether it shows "%", the step that computes it, the field it sets.
struct ResultRow {
  std::string_view box;
  bool percent;
  void (*compute)(CalcState&, Troubles&);
  std::optional<double> CalcState::*field;
};

constexpr ResultRow kResults[] = {
    {"Text2", false, &ComputeMean, &CalcState::Mean},
    {"Text3", false, &ComputeAvgDev, &CalcState::AvgDev},
    {"Text4", true, &ComputeRelAvgDev, &CalcState::RelAvgDev},
    {"Text5", false, &ComputeStdDev, &CalcState::StdDev},
    {"Text6", true, &ComputeRelStdDev, &CalcState::RelStdDev},
};

void ShowResults(runtime::FormServices& form, CalcState& s) {
  Troubles troubles;
  for (const ResultRow& row : kResults) {
    row.compute(s, troubles);
    form.SetText(row.box, DisplayText(s.*row.field, row.percent));
  }
  if (troubles.oneItem) ShowOk(form, kOneItemPrompt, kCannotComputeTitle);
  if (troubles.meanZero) ShowOk(form, kMeanZeroPrompt, kCannotComputeTitle);
  if (troubles.outOfRange) ShowOk(form, kOutOfRangePrompt, kCannotComputeTitle);
}

}  // namespace

void Calculate(runtime::FormServices& form, CalcState& s) {
  const std::optional<double> factor = FactorOf(form.Text("Text7"));
  if (!factor) return ShowOk(form, kPrecisionPrompt, kPrecisionTitle);

  s.DataText = form.Text("Text1");
  s.TextLen = s.DataText.size();
  s.Factor = *factor;
  CountItems(s);
  if (s.ItemCount == 0) return ShowOk(form, kDataPrompt, kDataTitle);

  // Assigning fresh arrays drops the old ones' contents and keeps their
  // memory, so repeated calculations on a large paste do not reallocate.
  s.ItemText.assign(s.ItemCount + 1, {});
  s.ItemValue.assign(s.ItemCount + 1, 0.0);
  SplitItems(s);

  if (!ReadItems(form, s)) return;
  ShowResults(form, s);
}

}  // namespace quorvel::calc
