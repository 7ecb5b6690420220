// Times large pastes in the Qt window: Ctrl+V of the clipboard into the data
// box as a user pastes, beside the host writing the same text (as one
// undoable edit), a key typed into a large pasted text, the Calculate click
// from the button to the five results painted, and 复制全部结果 after it on a
// million items. First, before the others have touched the heap, it prints
// what a long session leaves held: the resident memory after rounds of
// pasting a million lines and answering 清空 with 是.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
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

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  statm >> pages >> pages;  // the second field is the resident set
  return double(pages) * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Each round pastes the lines with Ctrl+V and clicks 清空, answered 是 by a
// timer. Counters: the resident megabytes at rest, after one round and after
// the last, and the last over the first.
void PasteAndClearRounds(benchmark::State& state) {
  QApplication::clipboard()->setText(QString::fromLatin1(LabSeries(1'000'000)));
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  QPlainTextEdit* box = FocusedDataBox(window);
  auto* clear = window.findChild<QPushButton*>(QStringLiteral("Command2"));
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, &answer, [] {
    auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!question) return;
    for (QAbstractButton* button : question->buttons())
      if (question->buttonRole(button) == QMessageBox::YesRole) button->click();
  });
  answer.start(10);
  QCoreApplication::processEvents();
  const double atRest = ResidentMegabytes();
  double afterFirst = 0;
  for (auto _ : state) {
    for (std::int64_t round = 1; round <= state.range(0); ++round) {
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
      QCoreApplication::processEvents();
      clear->click();
      QCoreApplication::processEvents();
      if (round == 1) afterFirst = ResidentMegabytes();
    }
  }
  if (!window.Text("Text1").empty()) state.SkipWithError("清空 did not empty the data box");
  state.counters["rest_MB"] = atRest;
  state.counters["round1_MB"] = afterFirst;
  state.counters["last_MB"] = ResidentMegabytes();
  state.counters["last_over_first"] = ResidentMegabytes() / afterFirst;
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

// 复制全部结果 after calculating: the data box's text is read again to tell
// that the results are still its own.
void CopyResultsInWindow(benchmark::State& state) {
  window::Static form;
  runtime::qt::FormWindow window(window::Static::Description(), form);
  window.show();
  window.SetText("Text1", Series(state.range(0)));
  window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  QAction* copy = window.actions().front();
  for (auto _ : state) {
    QApplication::clipboard()->clear();
    copy->trigger();
  }
  if (!QApplication::clipboard()->text().startsWith(u"平均值")) {
    state.SkipWithError("the results were not copied");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(PasteAndClearRounds)->Arg(5)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
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
BENCHMARK(CopyResultsInWindow)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
