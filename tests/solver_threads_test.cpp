// The solver's threads: the same bits at any number of them.
#include "coupling/boundary.h"
#include "fake_window_services.h"
#include "grid_bits.h"
#include "layout/presets.h"
#include "preset_start.h"
#include "run/run.h"
#include "run/setup.h"
#include "shown_setup.h"
#include "solver/initial_state.h"
#include "solver/parallel.h"
#include "solver/smoothing.h"
#include "solver/time_integration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The set-up of a preset's layout, its initial state and 30 time steps on
// `threads` threads, in m.
void runPreset(Model& m, int preset, int threads) {
  FakeWindowServices ws;
  applyPreset(m, preset);
  m.run.stopFlag = false;
  runCouplingSetupShown(m, ws);
  setInitialState(m.layout, m.flow, m.grids, m.constants, m.solution, m.scratch);
  setSolverThreads(threads);
  for (int s = 0; s < 30; ++s) timeStep(m);
  setSolverThreads(0);
}

// Preset 4's layout after its set-up and 30 time steps on `threads` threads.
std::unique_ptr<Model> stepsOn(int threads, TimeStepping stepping = TimeStepping::local) {
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  m->flow.timeStepping = stepping;
  runPreset(*m, 4, threads);
  return m;
}

TEST(SolverThreads, OneTwoAndFourThreadsGiveTheSameBitsInEveryField) {
  for (TimeStepping stepping : {TimeStepping::local, TimeStepping::timeAccurate}) {
    const auto one = stepsOn(1, stepping);
    ASSERT_GT(one->grids.nBodies, 3) << "the layout should give the threads several bodies";
    for (int threads : {2, 4}) {
      const auto other = stepsOn(threads, stepping);
      // Every slot of every record of both grids, stage values and time steps
      // included, compared as bytes.
      EXPECT_TRUE(sameBits(one->solution.mainFlow, other->solution.mainFlow))
          << threads << " threads, " << nameOf(stepping);
      EXPECT_TRUE(sameBits(one->solution.bodyFlow, other->solution.bodyFlow))
          << threads << " threads, " << nameOf(stepping);
    }
  }
}

// The metric planes that the steps keep are formed again after a new
// set-up: a run of another layout after preset 4's gives the bits of that
// layout run in a fresh model.
TEST(SolverThreads, StepsAfterANewSetUpUseTheNewMetrics) {
  const auto again = stepsOn(1), fresh = makeModel();
  setStartupDefaults(fresh->layout, fresh->editing, fresh->view);
  runPreset(*again, 2, 1);
  runPreset(*fresh, 2, 1);
  ASSERT_NE(again->grids.nBodies, 0);
  EXPECT_TRUE(sameBits(again->solution.mainFlow, fresh->solution.mainFlow));
  EXPECT_TRUE(sameBits(again->solution.bodyFlow, fresh->solution.bodyFlow));
}

// A time step works the main grid's part in its work planes and writes the
// records once; the routines one after the other work on the records.  Both
// leave the same bits in every slot but the main grid's stage values,
// which the step keeps in the planes (nothing reads them from the records).
TEST(SolverThreads, AStepGivesTheBitsOfItsRoutinesOneAfterTheOther) {
  auto step = makeModel(), routines = makeModel();
  for (Model* m : {step.get(), routines.get()}) startPreset(*m, 3);
  setSolverThreads(2);
  for (int s = 0; s < 20; ++s) {
    timeStep(*step);
    rationalRungeKuttaIncrement(*routines);
    smoothMainGrid(*routines);
    smoothBodyGrids(*routines, 1, routines->grids.bodyPerimeterPoints, 1,
                    routines->layout.bodyLayers, 1);
    addIncrements(*routines);
    applyBoundaryConditions(routines->layout, routines->constants, routines->grids,
                            routines->coupling, routines->solution);
  }
  setSolverThreads(0);
  for (int i = 1; i <= step->grids.mainNx; ++i)
    for (int j = 1; j <= step->grids.mainNy; ++j)
      for (int k = 1; k <= slot::count; ++k)
        if (k < slot::res || k >= slot::dq) {
          ASSERT_EQ(std::memcmp(&step->solution.mainFlow[i][j][k],
                                &routines->solution.mainFlow[i][j][k], 8),
                    0)
              << "main grid (" << i << ", " << j << ") slot " << k;
        }
  EXPECT_TRUE(sameBits(step->solution.bodyFlow, routines->solution.bodyFlow));
}

} // namespace
