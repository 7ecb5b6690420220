#pragma once

#include <string>

namespace quorvel::runtime {

// The runtime's text of a number: a blank in place of the sign for a value
// that is not negative (zero of either sign included), "-" otherwise; at most
// 15 significant digits with trailing zeros dropped, so binary noise never
// shows; plain decimals below 1e15 in magnitude, with no "0" before the point
// (0.6 gives " .6"); from 1e15 up, exponent form such as " 1.5E+16".
// Not finite values give their own words; callers do not show them.
std::u16string NumberText(double value);

}  // namespace quorvel::runtime
