// Speed of the plots, as they are redrawn during a run and on every button
// press: each field map with lines only and with filled bands and black lines,
// the velocity vectors, and the outline picture, on the default layout after
// a full run, into the window's default bitmap of 700 x 452.
//
//   build/release/whirlpane_bench --benchmark_filter=View
#include "layout/grid_making.h"
#include "quiet_window.h"
#include "run/headless_stages.h"
#include "run/run.h"
#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/outline.h"
#include "view/transform.h"
#include "view/vectors.h"

#include <benchmark/benchmark.h>

namespace {

// The state the window holds after the start button's run of the default
// layout: grids mapped at start-up, 300 steps with their plots.
struct AfterFullRun {
  std::unique_ptr<Model> m = makeModel();
  QuietWindow ws;
  ViewSurfaces s;
  AfterFullRun() {
    setStartupDefaults(m->layout, m->editing, m->view);
    rebuildGrids(*m);
    centreViewAtStart(m->layout, m->grids, m->view);
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
    HeadlessStages stages(*m, s, ws);
    runCalculation(*m, ws, stages);
  }
};

AfterFullRun& state() {
  static AfterFullRun run;
  return run;
}

using MapRoutine = PlotCaption (*)(const FieldMapState&, ViewSurfaces&);

// range(0): 0 vorticity, 1 pressure, 2 density; range(1): 0 lines only,
// 1 filled bands with black lines.
void BM_ViewMap(benchmark::State& st) {
  AfterFullRun& run = state();
  const MapRoutine maps[] = {drawVorticityMap, drawPressureMap, drawDensityMap};
  const char* names[] = {"vorticity", "pressure", "density"};
  const MapRoutine draw = maps[st.range(0)];
  run.m->view.fillContours = run.m->view.blackLines = st.range(1) == 1;
  for (auto _ : st) {
    benchmark::DoNotOptimize(draw(*run.m, run.s));
  }
  st.SetLabel(std::string(names[st.range(0)]) +
              (st.range(1) == 1 ? ", filled + black lines" : ", lines"));
  run.m->view.fillContours = run.m->view.blackLines = false;
}

// The vector plot of the run and of the vector button.
void BM_ViewVectors(benchmark::State& st) {
  AfterFullRun& run = state();
  for (auto _ : st) {
    findSpeedRange(run.m->layout, run.m->grids, run.m->solution, run.m->view, 0.9);
    benchmark::DoNotOptimize(drawVelocityVectors(run.m->layout, run.m->grids, run.m->pixels,
                                                 run.m->solution, run.m->view, run.s.bitmap, 1));
    run.s.copyBitmapToWindow();
  }
}

// The drawing part of a layout refresh or a pan: white, "全体" outlines, copy.
void BM_ViewOutline(benchmark::State& st) {
  AfterFullRun& run = state();
  for (auto _ : st) {
    fillWhite(run.s.bitmap);
    drawLayoutPicture(run.m->layout, run.m->grids, run.m->pixels, run.m->editing, run.s.bitmap,
                      true);
    run.s.copyBitmapToWindow();
  }
}

} // namespace

// runCalculation with the headless stages, as the batch mode runs it: set-up,
// initial state, 300 steps and the plots of the run, on the default layout.
// The batch process adds its start, the layout and the summary to this.
void BM_HeadlessRun(benchmark::State& st) {
  auto m = makeModel();
  QuietWindow ws;
  ViewSurfaces s;
  setStartupDefaults(m->layout, m->editing, m->view);
  rebuildGrids(*m);
  centreViewAtStart(m->layout, m->grids, m->view);
  placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
  HeadlessStages stages(*m, s, ws);
  for (auto _ : st) runCalculation(*m, ws, stages);
}

BENCHMARK(BM_HeadlessRun)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ViewMap)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewVectors)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewOutline)->Unit(benchmark::kMillisecond);
