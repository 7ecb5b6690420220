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

// Where an item lies in the data text, in UTF-16 units.
struct TextRange {
  std::size_t start;
  std::size_t length;
};

// Cuts and reads every item in one pass; reports the first ten bad ones by
// number and the rest in one summary. Sets ItemValue, ItemCount, Total and
// BadInput; returns where the first bad item lies, if there is one.
std::optional<TextRange> ReadItems(runtime::FormServices& form, CalcState& s, std::size_t counted) {
  // Reserving without filling: each page of the array is first touched when
  // its values are written, once.
  s.ItemValue.clear();
  s.ItemValue.reserve(counted + 1);
  s.ItemValue.push_back(0);  // element 0, never used
  // The sum stays in a local while the loop runs: through the state it would
  // go to memory and back once per item.
  double total = 0;
  std::size_t badCount = 0;
  std::optional<TextRange> firstBad;
  SplitItems(s.DataText, [&](std::u16string_view itemText) {
    const double value = runtime::ReadNumberOrNaN(itemText);
    s.ItemValue.push_back(value);
    if (std::isnan(value)) [[unlikely]] {
      if (++badCount <= kMaxItemMessages) {
        ShowOk(form, CountPrompt(kItemPromptStart, s.ItemValue.size() - 1), kItemTitle);
      }
      // Found in the same pass: the millionth item costs no second scan.
      if (!firstBad) firstBad = {std::size_t(itemText.data() - s.DataText.data()), itemText.size()};
    }
    // A bad item makes the sum NaN, but then no result is computed from it.
    total = value + total;
  });
  // The count is what was read, so no later step can index past the values.
  s.ItemCount = s.ItemValue.size() - 1;
  s.Total = total;
  s.BadInput = badCount > 0;
  if (badCount > kMaxItemMessages) {
    ShowOk(form, CountPrompt(kMoreItemsPromptStart, badCount - kMaxItemMessages), kItemTitle);
  }
  return firstBad;
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

void ShowResults(runtime::FormServices& form, CalcState& s, std::u16string_view precisionText) {
  // Results half written come from no texts in particular.
  s.Shown.reset();
  Troubles troubles;
  for (const ResultRow& row : kResults) {
    row.compute(s, troubles);
    form.SetText(row.box, DisplayText(s.*row.field, row.percent));
  }
  s.Shown = ShownInputs{PrintOf(s.DataText), PrintOf(precisionText), s.ItemCount};
  if (troubles.oneItem) ShowOk(form, kOneItemPrompt, kCannotComputeTitle);
  if (troubles.meanZero) ShowOk(form, kMeanZeroPrompt, kCannotComputeTitle);
  if (troubles.outOfRange) ShowOk(form, kOutOfRangePrompt, kCannotComputeTitle);
}

}  // namespace

bool Calculate(runtime::FormServices& form, CalcState& s) {
  // The text and the values serve this click only. Given back however the
  // click ends, a large paste leaves nothing behind once the user has
  // cleared the box.
  struct GiveBack {
    CalcState& s;
    ~GiveBack() {
      std::u16string().swap(s.DataText);
      std::vector<double>().swap(s.ItemValue);
    }
  } giveBack{s};

  // After each input message the focus goes to what the user must mend.
  const std::u16string precisionText = form.Text("Text7");
  const std::optional<double> factor = FactorOf(precisionText);
  if (!factor) {
    ShowOk(form, kPrecisionPrompt, kPrecisionTitle);
    form.SelectText("Text7", 0, precisionText.size());
    return false;
  }
  s.DataText = form.Text("Text1");
  s.Factor = *factor;
  if (const std::size_t counted = CountItems(s.DataText); counted == 0) {
    ShowOk(form, kDataPrompt, kDataTitle);
    form.SelectText("Text1", 0, 0);
  } else if (const std::optional<TextRange> bad = ReadItems(form, s, counted)) {
    form.SelectText("Text1", bad->start, bad->length);
  } else {
    ShowResults(form, s, precisionText);
    return true;
  }
  return false;
}

}  // namespace quorvel::calc
