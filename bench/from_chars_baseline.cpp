// The floor for quorvel-probe as a whole process: read standard input in
// bulk, parse and sum every item with from_chars, print the sum.

#include <charconv>
#include <cstdio>

#include "tools/read_all.h"

int main() {
  const std::string data = quorvel::ReadAll(stdin);
  const char* p = data.data();
  const char* const end = p + data.size();
  double total = 0;
  while (p < end) {
    while (p < end && (*p == ' ' || *p == '\r' || *p == '\n')) ++p;
    double value = 0;
    p = std::from_chars(p, end, value).ptr;
    total += value;
  }
  std::printf("%.17g\n", total);
}
