// Times the Calculate command against a bare from_chars loop over the same
// text: the first click, on a fresh state in memory the process has not
// touched yet, and a repeated click, whose memory the allocator has at hand
// from the click before. Also measures what a calculation keeps in memory per
// item once it has ended.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/bench_data.h"
#include "calc/calculate_command.h"
#include "runtime/recording_form.h"
#include "window/static_form.h"

namespace quorvel::bench {
namespace {

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

long MinorPageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

std::unique_ptr<runtime::RecordingForm> FormWithSeries(std::int64_t items) {
  const std::string series = LabSeries(items);
  auto form = std::make_unique<runtime::RecordingForm>(window::Static::Description());
  form->Type("Text1", std::u16string(series.begin(), series.end()));
  form->Type("Text7", u"0.0001");
  return form;
}

void CheckFiveResults(benchmark::State& state, const runtime::RecordingForm& form) {
  if (form.Events().size() != 5) state.SkipWithError("the calculation did not show five results");
}

// Each click gets a new state, and the memory earlier clicks freed goes back
// to the system first, so every page the click writes is new to the process,
// as on the first click after the program starts.
void CalculateFirstClick(benchmark::State& state) {
  const std::int64_t items = state.range(0);
  const auto form = FormWithSeries(items);
  std::size_t kept = 0;
  long faults = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto calcState = std::make_unique<calc::CalcState>();
    form->ClearEvents();
    malloc_trim(0);
    const std::size_t heapBefore = HeapInUse();
    const long faultsBefore = MinorPageFaults();
    state.ResumeTiming();

    calc::Calculate(*form, *calcState);

    state.PauseTiming();
    faults += MinorPageFaults() - faultsBefore;
    kept = HeapInUse() - heapBefore;
    CheckFiveResults(state, *form);
    calcState.reset();
    state.ResumeTiming();
  }
  const auto perItem = [&](double bytes) { return bytes / static_cast<double>(items); };
  // Kept after a calculation: the click gives back its copy of the text and
  // the item values, so this is only the five results' events.
  state.counters["kept_bytes_per_item"] = perItem(static_cast<double>(kept));
  state.counters["page_faults_per_click"] =
      static_cast<double>(faults) / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * items);
}

void CalculateRepeatedClick(benchmark::State& state) {
  const auto form = FormWithSeries(state.range(0));
  calc::CalcState calcState;
  calc::Calculate(*form, calcState);
  CheckFiveResults(state, *form);
  for (auto _ : state) {
    form->ClearEvents();
    calc::Calculate(*form, calcState);
    benchmark::DoNotOptimize(calcState.RelStdDev);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// 复制全部结果 after a calculation, and an edit of the data box that keeps
// its length (one digit typed over another), the case where the texts must
// be hashed to tell whether the results are still current. Both read the
// whole data text once, as a calculation does.
void CopyResults(benchmark::State& state) {
  const auto form = FormWithSeries(state.range(0));
  window::Static window;
  window.Click("Command1", *form);
  for (auto _ : state) {
    form->ClearEvents();
    window.Click("CopyResults", *form);
  }
  if (form->Events().size() != 1 ||
      form->Events()[0].kind != runtime::RecordingForm::Event::Kind::Copy)
    state.SkipWithError("the results were not copied");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void EditOfTheSameLength(benchmark::State& state) {
  const auto form = FormWithSeries(state.range(0));
  window::Static window;
  window.Click("Command1", *form);
  std::u16string data = form->Text("Text1");
  for (auto _ : state) {
    state.PauseTiming();
    data[0] = data[0] == u'9' ? u'1' : u'9';
    form->Type("Text1", data);
    state.ResumeTiming();
    window.Change("Text1", *form);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
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

BENCHMARK(BareFromChars)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(CalculateFirstClick)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CalculateRepeatedClick)
    ->Arg(1'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CopyResults)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(EditOfTheSameLength)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Prints, after the usual table, how many times slower each kind of click is
// than the bare loop at each size. CPU time, not wall time: all are single
// threaded, and CPU time holds steady while other work shares the machine.
// Page faults count as CPU time: the kernel spends it on the process's behalf.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* size : {"1000", "100000", "1000000"}) {
      const auto bare = times_.find(std::string("BareFromChars/") + size);
      if (bare == times_.end()) continue;
      for (const char* click : {"CalculateFirstClick", "CalculateRepeatedClick"}) {
        const auto command = times_.find(std::string(click) + "/" + size);
        if (command == times_.end()) continue;
        std::printf("%s / bare from_chars at %s items: %.2fx (CPU time)\n", click, size,
                    command->second / bare->second);
      }
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
