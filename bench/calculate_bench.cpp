// Times the Calculate command against a bare from_chars loop over the same
// text, and measures what a calculation keeps in memory per item.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_data.h"
#include "calc/calculate_command.h"
#include "window/static_form.h"
#include "runtime/recording_form.h"

namespace quorvel::bench {
namespace {

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void Calculate(benchmark::State& state) {
  const std::int64_t items = state.range(0);
  const std::string series = LabSeries(items);
  runtime::RecordingForm form(window::Static::Description());
  form.Type("Text1", std::u16string(series.begin(), series.end()));
  form.Type("Text7", u"0.0001");
  calc::CalcState calcState;

  const std::size_t before = HeapInUse();
  calc::Calculate(form, calcState);
  const std::size_t kept = HeapInUse() - before;
  if (form.Events().size() != 5) state.SkipWithError("the calculation did not show five results");

  for (auto _ : state) {
    form.ClearEvents();
    calc::Calculate(form, calcState);
    benchmark::DoNotOptimize(calcState.RelStdDev);
  }
  // Kept after a calculation: the copy of the data text, item views, values.
  state.counters["kept_bytes_per_item"] = static_cast<double>(kept) / static_cast<double>(items);
  state.counters["kept_beyond_text_per_item"] =
      static_cast<double>(kept - series.size() * sizeof(char16_t)) / static_cast<double>(items);
  state.SetItemsProcessed(state.iterations() * items);
}

// The floor: parse and sum the same text with nothing else around it.
void BareFromChars(benchmark::State& state) {
  const std::string series = LabSeries(state.range(0));
  for (auto _ : state) {
    double total = 0;
    const char* p = series.data();
    const char* const end = p + series.size();
    while (p < end) {
      while (p < end && (*p == ' ' || *p == '\r' || *p == '\n')) ++p;
      double value = 0;
      p = std::from_chars(p, end, value).ptr;
      total += value;
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(Calculate)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BareFromChars)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Prints, after the usual table, how many times slower the command is than
// the bare loop at each size. CPU time, not wall time: both are single
// threaded, and CPU time holds steady while other work shares the machine.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* size : {"1000", "100000", "1000000"}) {
      const auto command = times_.find(std::string("Calculate/") + size);
      const auto bare = times_.find(std::string("BareFromChars/") + size);
      if (command == times_.end() || bare == times_.end()) continue;
      std::printf("Calculate / bare from_chars at %s items: %.2fx (CPU time)\n", size,
                  command->second / bare->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  quorvel::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
