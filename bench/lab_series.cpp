// Writes the benchmarks' lab series of N items to standard output, for
// timing whole processes on it.

#include <cstdio>
#include <cstdlib>

#include "bench/bench_data.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quorvel-lab-series ITEMS > file\n", stderr);
    return 2;
  }
  const std::string series = quorvel::bench::LabSeries(std::atoll(argv[1]));
  std::fwrite(series.data(), 1, series.size(), stdout);
}
