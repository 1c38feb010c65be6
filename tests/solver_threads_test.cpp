// The solver's threads: the same bits at any number of them, and the choice
// of their number.
#include "coupling/setup.h"
#include "fake_window_services.h"
#include "layout/presets.h"
#include "run/run.h"
#include "solver/initial_state.h"
#include "solver/parallel.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Preset 4's layout after its set-up and 30 time steps on `threads` threads.
std::unique_ptr<Model> stepsOn(int threads) {
  auto m = makeModel();
  FakeWindowServices ws;
  setStartupDefaults(*m);
  applyPreset(*m, ws, 4);
  m->stopFlag = false;
  runCouplingSetup(*m, ws);
  shoki_atai(*m);
  setSolverThreads(threads);
  for (int s = 0; s < 30; ++s) timeStep(*m);
  setSolverThreads(0);
  return m;
}

TEST(SolverThreads, OneAndThreeThreadsGiveTheSameBitsInEveryField) {
  const auto one = stepsOn(1), three = stepsOn(3);
  ASSERT_GT(one->nBodies, 3) << "the layout should give the threads several bodies";
  // Every slot of every record of both grids, stage values and time steps
  // included, compared as bytes.
  EXPECT_EQ(std::memcmp(one->ryFlow.data(), three->ryFlow.data(), sizeof one->ryFlow), 0);
  EXPECT_EQ(std::memcmp(one->wkFlow.data(), three->wkFlow.data(), sizeof one->wkFlow), 0);
}

TEST(SolverThreads, RequestedCountIsUsedAndTheAutomaticChoiceFitsTheGrid) {
  auto m = makeModel();
  m->ryNx = 202, m->ryNy = 102; // 20,000 updated points: one thread's worth
  setSolverThreads(3);
  EXPECT_EQ(chooseStepThreads(*m), 3);
  setSolverThreads(0);
  EXPECT_EQ(chooseStepThreads(*m), 1);
  m->ryNx = 252, m->ryNy = 220;
  const int chosen = chooseStepThreads(*m);
  EXPECT_GE(chosen, 1);
  EXPECT_LE(chosen, omp_get_num_procs());
}

} // namespace
