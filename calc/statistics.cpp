#include "calc/statistics.h"

#include <cmath>
#include <span>

namespace quorvel::calc {
namespace {

// Every step is a plain double operation in a fixed order, so results are the
// same bit for bit on every machine. An overflow anywhere in a chain leaves a
// non-finite value at its end, so checking the end is enough.
std::optional<double> Checked(double value, Troubles& troubles) {
  if (std::isfinite(value)) return value;
  troubles.outOfRange = true;
  return std::nullopt;
}

double ItemCountAsDouble(const CalcState& s) {
  return static_cast<double>(s.ItemCount);
}

// A percentage of the rounded mean, rounded by the precision. A rounded mean
// of 0 (or -0) is a trouble of its own, whatever became of the part.
std::optional<double> RelativeToMean(const std::optional<double>& part, const CalcState& s,
                                     Troubles& troubles) {
  if (!s.Mean) return std::nullopt;
  if (*s.Mean == 0) {
    troubles.meanZero = true;
    return std::nullopt;
  }
  if (!part) return std::nullopt;
  return Checked(RoundHalfAway(*part * s.Factor * 100 / *s.Mean) / s.Factor, troubles);
}

}  // namespace

double RoundHalfAway(double x) {
  return x >= 0 ? std::trunc(x + 0.5) : -std::trunc(-x + 0.5);
}

void ComputeMean(CalcState& s, Troubles& troubles) {
  s.Mean = Checked(RoundHalfAway(s.Total * s.Factor / ItemCountAsDouble(s)) / s.Factor, troubles);
}

void ComputeAvgDev(CalcState& s, Troubles& troubles) {
  s.AbsDevSum = 0;
  s.SqDevSum = 0;
  s.AvgDev = std::nullopt;
  if (!s.Mean) return;
  // The sums stay in locals while the loop runs: through the state they
  // would go to memory and back once per item.
  const double mean = *s.Mean;
  double absDevSum = 0;
  double sqDevSum = 0;
  for (const double value : std::span(s.ItemValue).subspan(1)) {
    const double deviation = value - mean;
    absDevSum = std::fabs(deviation) + absDevSum;
    sqDevSum = deviation * deviation + sqDevSum;
  }
  s.AbsDevSum = absDevSum;
  s.SqDevSum = sqDevSum;
  s.AvgDev =
      Checked(RoundHalfAway(s.AbsDevSum * s.Factor / ItemCountAsDouble(s)) / s.Factor, troubles);
}

void ComputeRelAvgDev(CalcState& s, Troubles& troubles) {
  s.RelAvgDev = RelativeToMean(s.AvgDev, s, troubles);
}

void ComputeStdDev(CalcState& s, Troubles& troubles) {
  s.StdDev = std::nullopt;
  // One item is a trouble of its own, even when the mean failed too.
  if (s.ItemCount == 1) {
    troubles.oneItem = true;
    return;
  }
  if (!s.Mean) return;
  // Up to 20 items the sample formula; from 21 on the population formula.
  const double n = ItemCountAsDouble(s);
  const double divisor = s.ItemCount > 20 ? n : n - 1;
  // Rounded two decimal places finer than the precision.
  s.StdDev = Checked(
      RoundHalfAway(std::sqrt(s.SqDevSum / divisor) * 100 * s.Factor) / s.Factor / 100, troubles);
}

void ComputeRelStdDev(CalcState& s, Troubles& troubles) {
  s.RelStdDev = RelativeToMean(s.StdDev, s, troubles);
}

}  // namespace quorvel::calc
