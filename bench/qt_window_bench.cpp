// Times large pastes in the Qt window: Ctrl+V of the clipboard into the data
// box as a user pastes, beside the host writing the same text (as one
// undoable edit), a key typed into a large pasted text, and the Calculate
// click from the button to the five results painted.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "bench/bench_data.h"
#include "runtime/qt/form_window.h"
#include "window/static_form.h"

namespace quorvel::bench {
namespace {

std::u16string Series(std::int64_t items) {
  const std::string series = LabSeries(items);
  return {series.begin(), series.end()};
}

QPlainTextEdit* FocusedDataBox(runtime::qt::FormWindow& window) {
  window.show();
  auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
  box->setFocus();
  return box;
}

void PasteWithCtrlV(benchmark::State& state) {
  QApplication::clipboard()->setText(QString::fromLatin1(LabSeries(state.range(0))));
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  QPlainTextEdit* box = FocusedDataBox(window);
  for (auto _ : state) {
    state.PauseTiming();
    box->clear();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
  }
  std::u16string lines = Series(state.range(0));
  std::erase(lines, u'\r');  // each CR LF reads back as one line feed
  if (window.Text("Text1") != lines)
    state.SkipWithError("the box does not read back the pasted lines");
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A digit typed amid the pasted lines, until painted: the block around the
// cursor is laid out again for every key.
void TypeInLargeBox(benchmark::State& state) {
  QApplication::clipboard()->setText(QString::fromLatin1(LabSeries(state.range(0))));
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  QPlainTextEdit* box = FocusedDataBox(window);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTextCursor middle = box->textCursor();
  middle.setPosition(box->document()->characterCount() / 2);
  box->setTextCursor(middle);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    QTest::keyClick(box, Qt::Key_5);
    QCoreApplication::processEvents();
  }
}

void WriteDataBox(benchmark::State& state) {
  const std::u16string series = Series(state.range(0));
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  window.show();
  for (auto _ : state) {
    window.SetText("Text1", series);
    QCoreApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void CalculateInWindow(benchmark::State& state) {
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  window.show();
  window.SetText("Text1", Series(state.range(0)));
  QCoreApplication::processEvents();
  auto* calculate = window.findChild<QPushButton*>(QStringLiteral("Command1"));

  for (auto _ : state) {
    state.PauseTiming();
    window.SetText("Text2", u"");
    state.ResumeTiming();
    calculate->click();
    QCoreApplication::processEvents();  // the results are painted
  }
  if (window.Text("Text2").empty() || window.Text("Text6").empty()) {
    state.SkipWithError("the click did not show the five results");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(PasteWithCtrlV)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(TypeInLargeBox)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(WriteDataBox)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(CalculateInWindow)
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
