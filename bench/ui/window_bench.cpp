// Measurements through the real main window under the offscreen platform:
// what the user waits for after a click.  Run as
//   build/release/whirlpane_ui_bench
#include "gui/application_setup.h"
#include "ui/controls.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

// A layout dialog click that changes the layout, through to the repainted
// window: rebuildGrids, placeLayoutOnBitmap, white fill, drawLayoutPicture, copy, paint.
void BM_LayoutRefreshAfterDialogClick(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  QApplication::processEvents();
  QToolButton* up = w.layoutDialog().findChild<QToolButton*>("spacingUpButton");
  QToolButton* down = w.layoutDialog().findChild<QToolButton*>("spacingDownButton");
  bool goUp = true;
  for (auto _ : state) {
    // Spacing 26 <-> 27 in every column: a new layout each time.
    (goUp ? up : down)->click();
    goUp = !goUp;
    QApplication::processEvents();
  }
  state.counters["bodies"] = w.model().grids.nBodies;
}
BENCHMARK(BM_LayoutRefreshAfterDialogClick)->Unit(benchmark::kMillisecond);

// Processor time of the calling thread, in seconds.
double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// A default run from the press of the start button to the text
// "計算が正常に終了しました。": set-up, 300 steps and the ten plots.  Also the
// longest time between two events the window handled meanwhile (a timer
// due every millisecond: its longest wait is the window's longest stall, and
// the processor time the window's thread spent in it, which the load of the
// machine does not lengthen, is the window's own longest busy stretch).
// With argument 1 the convergence-history window is open and follows the run.
void BM_DefaultRunStartToFinalText(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  if (state.range(0) == 1) w.findChild<QAction*>("historyItem")->trigger();
  QApplication::processEvents();
  QtWindowServices& ws = w.services();
  PanelButton* start = w.findChild<PanelButton*>("startButton");
  double longestGap = 0, longestBusy = 0;
  long ticks = 0;
  for (auto _ : state) {
    w.layoutRefresh(); // a new layout: the start button runs again
    QApplication::processEvents();
    Clock::time_point end{};
    ws.statusObserver = [&](int panel, const std::string& text) {
      if (panel == 1 && text == "計算が正常に終了しました。") {
        end = Clock::now();
        w.onStopClicked(); // no particle animation after it
      }
    };
    Clock::time_point lastTick = Clock::now();
    double lastTickBusy = threadSeconds();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      const Clock::time_point now = Clock::now();
      longestGap =
          std::max(longestGap, std::chrono::duration<double, std::milli>(now - lastTick).count());
      lastTick = now;
      const double busy = threadSeconds();
      longestBusy = std::max(longestBusy, 1000 * (busy - lastTickBusy));
      lastTickBusy = busy;
      ++ticks;
    });
    ticker.start(1);
    const Clock::time_point begin = Clock::now();
    start->click();
    while (w.loopRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ticker.stop();
    ws.statusObserver = nullptr;
    if (end == Clock::time_point{}) {
      state.SkipWithError("the run did not reach its final text");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
  }
  state.counters["longest_gap_ms"] = longestGap;
  state.counters["longest_busy_ms"] = longestBusy;
  state.counters["events_handled"] =
      static_cast<double>(ticks) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DefaultRunStartToFinalText)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Counts the paint events of a widget while `measuring`.
class PaintCounter : public QObject {
public:
  PaintCounter(long& count, const bool& measuring) : count_(count), measuring_(measuring) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (measuring_ && event->type() == QEvent::Paint) ++count_;
    return QObject::eventFilter(watched, event);
  }

private:
  long& count_;
  const bool& measuring_;
};

// Processor time of the whole process, in seconds.
double processorSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Runs the event loop for `ms` milliseconds; returns the processor time used
// meanwhile as a share of one core.
double processorShareOverEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  const double cpu0 = processorSeconds();
  const Clock::time_point t0 = Clock::now();
  loop.exec();
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return (processorSeconds() - cpu0) / wall;
}

// A default run from the start button; stopped at `stopAt` (0: completed,
// without the particle animation that follows it).
void runFromStartButton(MainWindow& w, int stopAt) {
  QtWindowServices& ws = w.services();
  const std::string stopText =
      stopAt > 0 ? "　計算回数＝" + std::to_string(stopAt) + "　　　　　　300回 で完了"
                 : "計算が正常に終了しました。";
  ws.statusObserver = [&](int panel, const std::string& text) {
    if (panel == 1 && text == stopText) w.onStopClicked();
  };
  w.findChild<PanelButton*>("startButton")->click();
  while (w.loopRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ws.statusObserver = nullptr;
}

// The program at rest in the editing mode, for three seconds of its event
// loop: right after start (0), after a completed run (1) and after a run
// stopped at step 50 (2).  The share of one core it uses.
void BM_ProcessorTimeAtRest(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  QApplication::processEvents();
  if (state.range(0) == 1) runFromStartButton(w, 0);
  if (state.range(0) == 2) runFromStartButton(w, 50);
  processorShareOverEventLoop(300); // the first paints after the run
  double share = 0;
  for (auto _ : state) share = processorShareOverEventLoop(3000);
  state.counters["cpu_percent_of_one_core"] = 100 * share;
}
BENCHMARK(BM_ProcessorTimeAtRest)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The particle animation after a full run at each position of the speed bar
// (1 slowest .. 5 fastest), for three seconds after the traces are ready:
// frames shown per second and the share of one core used meanwhile.
void BM_ParticleFramesPerBarPosition(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  QApplication::processEvents();
  runFromStartButton(w, 0);
  QtWindowServices& ws = w.services();
  w.findChild<QScrollBar*>("particleSpeedBar")->setValue(static_cast<int>(state.range(0)));
  ws.activeWindowAnswer = [] { return true; }; // pass after pass until stopped
  // Frames shown: the paints of the drawing area once the traces are ready.
  long frames = 0;
  bool measuring = false;
  PaintCounter counter(frames, measuring);
  w.centralWidget()->installEventFilter(&counter);
  for (auto _ : state) {
    frames = 0;
    double cpu0 = 0;
    Clock::time_point t0{};
    ws.statusObserver = [&](int panel, const std::string& text) {
      if (panel != 1 || text.rfind("　所要計算時間　＝", 0) != 0) return;
      measuring = true;
      cpu0 = processorSeconds();
      t0 = Clock::now();
      QTimer::singleShot(3000, &w, [&] { w.onStopClicked(); });
    };
    w.model().view.particleState = 1; // traced again, so that their text comes
    w.onParticlesFastChosen();
    while (w.loopRunning()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    measuring = false;
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(wall);
    state.counters["frames_per_second"] = static_cast<double>(frames) / wall;
    state.counters["cpu_percent_of_one_core"] = 100 * (processorSeconds() - cpu0) / wall;
  }
  ws.statusObserver = nullptr;
  w.centralWidget()->removeEventFilter(&counter);
}
BENCHMARK(BM_ParticleFramesPerBarPosition)
    ->DenseRange(1, 5)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_NO_GLIB", "1", 0); // as the program does
  QApplication app(argc, argv);
  installFontSubstitution();
  QApplication::setFont(interfaceFont(12));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
