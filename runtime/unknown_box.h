#pragma once

#include <string_view>

namespace quorvel::runtime {

// A command naming a box the window does not have is a programming error.
// Every host reports it this way, so it can never pass silently as an empty
// text or a box made up on the spot.
[[noreturn]] void ThrowUnknownBox(std::string_view box);

}  // namespace quorvel::runtime
