#pragma once

#include "calc/calc_state.h"

namespace quorvel::calc {

// Why a result could not be computed. Each is reported once, in this order,
// after all five boxes are written.
struct Troubles {
  bool oneItem = false;     // a standard deviation needs two items
  bool meanZero = false;    // the relative results divide by the mean
  bool outOfRange = false;  // a step overflowed or was not finite
};

// Rounds to the nearest whole number, halves away from zero. For x >= 0 this
// is trunc(x + 0.5) exactly; negative values round their magnitude.
double RoundHalfAway(double x);

// The five results, each computed from the state's earlier fields and from
// the results before it, in this order. Each sets its field, may record a
// trouble, and leaves the field nullopt when the result cannot be computed
// (also when a result it is computed from could not be).
void ComputeMean(CalcState& state, Troubles& troubles);
void ComputeAvgDev(CalcState& state, Troubles& troubles);  // forms both deviation sums
void ComputeRelAvgDev(CalcState& state, Troubles& troubles);
void ComputeStdDev(CalcState& state, Troubles& troubles);
void ComputeRelStdDev(CalcState& state, Troubles& troubles);

}  // namespace quorvel::calc
