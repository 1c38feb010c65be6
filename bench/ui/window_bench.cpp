// Measurements through the real main window under the offscreen platform:
// what the user waits for after a click.  Run as
//   build/release/whirlpane_ui_bench
#include "ui/application_setup.h"
#include "ui/layout_dialog.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

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

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  installFontSubstitution();
  QApplication::setFont(interfaceFont(12));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
