// Measurements through the real main window under the offscreen platform:
// what the user waits for after a click.  Run as
//   build/release/whirlpane_ui_bench
#include "ui/application_setup.h"
#include "ui/layout_dialog.h"
#include "ui/controls.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A layout dialog click that changes the layout, through to the repainted
// window: kmake, Henkan_Scale, white fill, Draw_Waku2, copy, paint.
void BM_LayoutRefreshAfterDialogClick(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  QApplication::processEvents();
  QToolButton* up = w.layoutDialog().findChild<QToolButton*>("BitBtn3");
  QToolButton* down = w.layoutDialog().findChild<QToolButton*>("BitBtn4");
  bool goUp = true;
  for (auto _ : state) {
    // Spacing 26 <-> 27 in every column: a new layout each time.
    (goUp ? up : down)->click();
    goUp = !goUp;
    QApplication::processEvents();
  }
  state.counters["bodies"] = w.model().nBodies;
}
BENCHMARK(BM_LayoutRefreshAfterDialogClick)->Unit(benchmark::kMillisecond);

// A default run from the press of the start button to the text
// "計算が正常に終了しました。": set-up, 300 steps and the ten plots, with the
// window repainting at every yield.  Also the longest time between two
// event-processing points of the run (the window's responsiveness).  With
// argument 1 the convergence-history window is open and follows the run.
void BM_DefaultRunStartToFinalText(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  if (state.range(0) == 1) w.findChild<QAction*>("historyItem")->trigger();
  QApplication::processEvents();
  QtWindowServices& ws = w.services();
  PanelButton* start = w.findChild<PanelButton*>("button2");
  double longestGap = 0;
  long yields = 0;
  for (auto _ : state) {
    w.layoutRefresh(); // a new layout: the start button runs again
    QApplication::processEvents();
    Clock::time_point end{};
    ws.statusObserver = [&](int panel, const std::string& text) {
      if (panel == 1 && text == "計算が正常に終了しました。") {
        end = Clock::now();
        w.model().stopFlag = true; // no particle animation after it
      }
    };
    ws.startGapMeasurement();
    const Clock::time_point begin = Clock::now();
    start->click();
    ws.statusObserver = nullptr;
    if (end == Clock::time_point{}) {
      state.SkipWithError("the run did not reach its final text");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    longestGap = std::max(longestGap, ws.longestGapMs());
    yields = ws.processingCount();
  }
  state.counters["longest_gap_ms"] = longestGap;
  state.counters["yields"] = static_cast<double>(yields);
}
BENCHMARK(BM_DefaultRunStartToFinalText)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);


// One pass of the particle animation at speed 3 (1285 frames, the traces
// already made), with the window repainting every frame, at the three
// positions of the speed scroll bar that give 1, 3 and 5 repeats.
void BM_ParticlePassAfterFullRun(benchmark::State& state) {
  MainWindow w;
  w.showAtStart();
  QApplication::processEvents();
  QtWindowServices& ws = w.services();
  ws.statusObserver = [&](int panel, const std::string& text) {
    if (panel == 1 && text == "計算が正常に終了しました。") w.model().stopFlag = true;
  };
  w.findChild<PanelButton*>("button2")->click();
  ws.statusObserver = nullptr;
  w.findChild<QScrollBar*>("ScrollBar1")->setValue(6 - static_cast<int>(state.range(0)));
  ws.activeWindowAnswer = [] { return false; }; // one pass, then the end
  w.N9Click(); // traces the particles once
  for (auto _ : state) w.N9Click();
  state.counters["seconds_per_frame"] = benchmark::Counter(
      1285, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParticlePassAfterFullRun)->Arg(1)->Arg(3)->Arg(5)->UseRealTime()->Unit(benchmark::kMillisecond);

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
