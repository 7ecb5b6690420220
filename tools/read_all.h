#pragma once

#include <cstdio>
#include <string>

namespace quorvel {

// Everything left in a stream, read in large blocks: a paste of a million
// items is megabytes, and a character at a time costs several times the
// calculation.
inline std::string ReadAll(std::FILE* in) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  std::string data;
  std::size_t used = 0;
  for (std::size_t got = 1; got > 0; used += got) {
    data.resize(used + kBlock);
    got = std::fread(data.data() + used, 1, kBlock, in);
  }
  data.resize(used);
  return data;
}

}  // namespace quorvel
