#pragma once

#include <cstdint>
#include <string>

namespace quorvel::bench {

// A deterministic series as a lab would paste it: values with 4 decimals,
// CR LF between items.
inline std::string LabSeries(std::int64_t items) {
  std::string text;
  text.reserve(static_cast<std::size_t>(items) * 11);
  std::uint32_t state = 12345;
  for (std::int64_t i = 0; i < items; ++i) {
    state = state * 1664525u + 1013904223u;               // a plain LCG: same data on every run
    const std::uint32_t value = 900000 + state % 200000;  // 90.0000 to 109.9999
    text += std::to_string(value / 10000) + '.';
    const std::string fraction = std::to_string(value % 10000);
    text += std::string(4 - fraction.size(), '0') + fraction;
    if (i + 1 < items) text += "\r\n";
  }
  return text;
}

}  // namespace quorvel::bench
