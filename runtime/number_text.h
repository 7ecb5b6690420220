#pragma once

#include <string>

namespace quorvel::runtime {

// The text of a number as a result box shows it: "-" before a negative
// value, nothing before any other (zero of either sign shows as "0"); at most
// 15 significant digits with trailing zeros dropped, so binary noise never
// shows; a "0" before the point of a value below 1 in magnitude ("0.6",
// "-0.5"). Values below 1e15 in magnitude are written in plain decimals, even
// when rounding to 15 digits carries them to 1e15 ("1000000000000000");
// from 1e15 up in exponent form such as "1.5E+16". Not finite values give
// their own words; callers do not show them.
std::u16string NumberText(double value);

}  // namespace quorvel::runtime
