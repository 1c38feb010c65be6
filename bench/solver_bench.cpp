// Speed of the run without a window: one time step, and a full run (set-up
// plus 300 steps), on the default layout, the four presets and the largest
// layout the layout dialog allows whose bodies stay apart (6 columns of 5
// ellipses of size 20 at the largest spacing, 40, with the axis ratio 1.2:
// 1348 perimeter indices, a main grid of 190 × 157 points).  The
// counter time_per_point_step is the time per step and per updated grid
// point (main-grid interior plus every body's updated auxiliary points), in
// seconds with an SI prefix (n = 1e-9).
#include "coupling/boundary.h"
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "quiet_window.h"
#include "recording_run_stages.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "run/setup.h"
#include "solver/initial_state.h"
#include "solver/parallel.h"
#include "solver/smoothing.h"
#include "solver/time_integration.h"
#include "view/transform.h"

#include <benchmark/benchmark.h>

namespace {

// Layouts by number: 0 default, 1..4 presets, 5 the largest whose bodies
// stay apart.
void chooseLayout(Model& m, int layout) {
  setStartupDefaults(m.layout, m.editing, m.view);
  if (layout >= 1 && layout <= 4) applyPreset(m, layout);
  if (layout == 5) {
    m.layout.nColumns = 6;
    // The dialog's 2.0 stepped down four times: the widest ellipses of size
    // 20 that stay clear of the next column.
    m.layout.ellipseRatio = 2.0 - 4 * 0.2;
    for (int c = 1; c <= 6; ++c) {
      m.layout.columnBodies[c] = 5;
      m.layout.columnSpacing[c] = 40;
      for (int k = 1; k <= 5; ++k) {
        m.layout.layoutSize[c][k] = 20;
        m.layout.layoutShape[c][k] = shape::ellipse;
      }
    }
  }
}

double updatedPoints(const Model& m) {
  double n = double(m.grids.mainNx - 2) * (m.grids.mainNy - 2);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    n += double(m.grids.bodyLast[b] - m.grids.bodyFirst[b] + 1) * (m.layout.bodyLayers - 2);
  return n;
}

void setCounters(benchmark::State& state, const Model& m, double stepsPerIteration) {
  state.counters["points"] = updatedPoints(m);
  state.counters["time_per_point_step"] = benchmark::Counter(
      updatedPoints(m) * stepsPerIteration,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One time step of a developed flow (after 50 steps from the initial state);
// with range(1) 1, of a time-accurate run (the three-stage step).
void BM_TimeStep(benchmark::State& state) {
  auto m = makeModel();
  QuietWindow ws;
  chooseLayout(*m, int(state.range(0)));
  if (state.range(1) == 1) m->flow.timeStepping = TimeStepping::timeAccurate;
  m->run.stopFlag = false;
  showProblems(ws, runCouplingSetup(*m, ws));
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  for (int s = 0; s < 50; ++s) timeStep(*m);
  for (auto _ : state) timeStep(*m);
  setCounters(state, *m, 1);
}

// runCalculation: set-up, initial state and 300 steps, no drawing.
void BM_FullRun(benchmark::State& state) {
  auto m = makeModel();
  QuietWindow ws;
  chooseLayout(*m, int(state.range(0)));
  SilentRunStages stages;
  for (auto _ : state) runCalculation(*m, ws, stages);
  setCounters(state, *m, 300);
}

// The whole headless run as the start button makes it: set-up, initial
// state, 300 steps with the soundness check after each, and the run's plots
// drawn off-screen; on range(1) solver threads.
void BM_WholeRun(benchmark::State& state) {
  auto m = makeModel();
  QuietWindow ws;
  chooseLayout(*m, int(state.range(0)));
  rebuildGrids(*m);
  ViewSurfaces surfaces;
  placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, surfaces.bitmap);
  HeadlessStages plots(*m, surfaces, ws);
  setSolverThreads(int(state.range(1)));
  for (auto _ : state) runCalculation(*m, ws, plots);
  setSolverThreads(0);
  state.counters["threads"] = double(state.range(1));
  setCounters(state, *m, 300);
}

} // namespace

BENCHMARK(BM_WholeRun)->ArgsProduct({{0, 5}, {1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TimeStep)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRun)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(3);
