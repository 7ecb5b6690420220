// Times the Calculate command on huge and hostile pastes: the cases too slow
// for a unit test to repeat, each checked once for the outcome it must give.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "calc/calculate_command.h"
#include "window/static_form.h"
#include "runtime/recording_form.h"

namespace quorvel::bench {
namespace {

std::u16string Repeated(std::u16string_view text, std::size_t times) {
  std::u16string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Runs the command on data until timed, after checking once that it ends
// with the expected number of events.
void TimeCalculate(benchmark::State& state, const std::u16string& data, std::size_t events) {
  runtime::RecordingForm form(window::Static::Description());
  form.Type("Text1", data);
  form.Type("Text7", u"0.0001");
  calc::CalcState calcState;
  calc::Calculate(form, calcState);
  if (form.Events().size() != events) state.SkipWithError("unexpected outcome");

  for (auto _ : state) {
    form.ClearEvents();
    calc::Calculate(form, calcState);
    benchmark::DoNotOptimize(form.Events().data());
  }
  state.counters["units"] = static_cast<double>(data.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.size()) * 2);
}

// Every item bad: ten item messages and one summary, however many there are.
void BadItems(benchmark::State& state) {
  TimeCalculate(state, Repeated(u"x ", state.range(0)), 11);
}

// The shortest items there are: per-item costs dominate.
void OneCharacterItems(benchmark::State& state) {
  TimeCalculate(state, Repeated(u"1 2\n", state.range(0) / 2), 5);
}

// Separators only, blanks, line feeds and CR LF pairs: the data message.
void Separators(benchmark::State& state) {
  TimeCalculate(state, Repeated(u" \n\r\n \n", state.range(0) / 6), 1);
}

// One number of the given length, and a second to allow a standard deviation.
void LongItem(benchmark::State& state) {
  TimeCalculate(state, u"1." + std::u16string(state.range(0) - 2, u'0') + u" 3", 5);
}

BENCHMARK(BadItems)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(OneCharacterItems)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Separators)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(LongItem)->Arg(40'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvel::bench
