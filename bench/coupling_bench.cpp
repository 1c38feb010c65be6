// The coupling set-up of a run (clear, grids, metrics, links, holes) for the
// start-up layout, the four presets and the largest layout the layout dialog
// builds within the capacities; with the bucketed scans the run uses and with
// the plain scans over every cell, and stage by stage.
//
//   build/release/whirlpane_bench --benchmark_filter=Coupling
#include "core/clear_flow.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "quiet_window.h"
#include "run/setup.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

const char* const kLayoutNames[] = {"defaults", "preset 1", "preset 2",
                                    "preset 3", "preset 4", "largest"};

// Layout n: 0 the start-up defaults, 1..4 the presets, 5 the largest the
// dialog builds whose bodies stay apart and inside the channel: six columns
// of five ellipses of size 20 at spacing 40, ratio 1.2 (the dialog's 2.0
// stepped down four times: wider ellipses reach into the next column), which
// gives a 190 × 157 main grid.  (A turned arrangement would carry the last
// columns past the channel's end.)
std::unique_ptr<Model> makeLayout(int n) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  if (n >= 1 && n <= 4) applyPreset(*m, n);
  if (n == 5) {
    m->layout.nColumns = 6;
    m->layout.ellipseRatio = 2.0 - 4 * 0.2;
    m->layout.layoutRotation = 0;
    for (int c = 1; c <= 6; ++c) {
      m->layout.columnBodies[c] = 5;
      m->layout.columnSpacing[c] = 40;
      for (int k = 1; k <= 5; ++k) {
        m->layout.layoutSize[c][k] = 20;
        m->layout.layoutShape[c][k] = shape::ellipse;
      }
    }
  }
  return m;
}

void reportCounts(benchmark::State& state, const Model& m, const QuietWindow& ws, int n) {
  if (m.run.stopFlag || !ws.lastMessage.empty())
    state.SkipWithError(("the set-up reported: " + ws.lastMessage).c_str());
  state.SetLabel(kLayoutNames[n]);
  state.counters["grid"] = m.grids.mainNx * m.grids.mainNy;
  state.counters["mainFromBody"] = m.coupling.mainFromBodyCount;
  state.counters["holes"] = m.coupling.mainHoleCount;
  state.counters["bodyFromMain"] = m.coupling.bodyFromMainCount;
  state.counters["bodyFromBody"] = m.coupling.bodyFromBodyCount;
}

// The whole set-up as a run does it.
void BM_CouplingSetup(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  QuietWindow ws;
  auto m = makeLayout(n);
  for (auto _ : state) {
    m->run.stopFlag = false;
    showProblems(ws, runCouplingSetup(*m, ws));
    benchmark::DoNotOptimize(m->coupling.bodyFromMainCount);
  }
  reportCounts(state, *m, ws, n);
}
BENCHMARK(BM_CouplingSetup)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The same set-up with the plain scans over every cell, for comparison.
void BM_CouplingSetupPlainScans(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  QuietWindow ws;
  auto m = makeLayout(n);
  for (auto _ : state) {
    m->run.stopFlag = false;
    clearFlowRecords(m->grids, m->solution);
    showProblems(ws, remakeGrids(*m, ws));
    showProblems(ws, computeMetrics(m->layout, m->grids));
    showProblems(ws, findMainGridLinks(*m, ws, 1, 1, CellScan::plain));
    showProblems(ws, cutHoles(*m, ws));
    showProblems(ws, findOuterEdgeLinks(*m, ws, CellScan::plain));
    benchmark::DoNotOptimize(m->coupling.bodyFromMainCount);
  }
  reportCounts(state, *m, ws, n);
}
BENCHMARK(BM_CouplingSetupPlainScans)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// One stage at a time, on the grids and links of a finished set-up.
enum Stage { metrics, mainGridLinks, holes, outerEdgeLinks };

void BM_CouplingStage(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto stage = static_cast<Stage>(state.range(1));
  QuietWindow ws;
  auto m = makeLayout(n);
  showProblems(ws, runCouplingSetup(*m, ws));
  for (auto _ : state) {
    switch (stage) {
    case metrics:
      computeMetrics(m->layout, m->grids);
      break;
    case mainGridLinks:
      findMainGridLinks(*m, ws, 1, 1);
      break;
    case holes:
      cutHoles(*m, ws);
      break;
    case outerEdgeLinks:
      findOuterEdgeLinks(*m, ws);
      break;
    }
    benchmark::ClobberMemory();
  }
  const char* const names[] = {"computeMetrics", "findMainGridLinks", "cutHoles",
                               "findOuterEdgeLinks"};
  state.SetLabel(std::string(kLayoutNames[n]) + ", " + names[stage]);
}
BENCHMARK(BM_CouplingStage)
    ->ArgsProduct({{0, 5}, {metrics, mainGridLinks, holes, outerEdgeLinks}})
    ->Unit(benchmark::kMillisecond);

} // namespace
