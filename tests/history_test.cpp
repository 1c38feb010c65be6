// The residual of a step: worked examples on hand-made grids, over exactly
// the points the step updates; and the check and the residual gathered
// during a step, on a preset's layout.
#include "preset_start.h"
#include "run/history.h"
#include "run/run.h"
#include "solver/flow_check.h"
#include "solver/parallel.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace {

// Every point of both grids changes its density at `rate` per unit time:
// dq_rho = rate * dt, with a different dt at every point.
void setRates(Model& m, double mainRate, double auxRate) {
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      FlowPoint& f = m.solution.mainFlow[i][j];
      f[slot::dt] = 0.01 * (1 + i + 2 * j);
      f[slot::dq] = mainRate * f[slot::dt];
    }
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.layout.bodyLayers; ++r) {
        FlowPoint& f = m.solution.bodyFlow[p][r][1];
        f[slot::dt] = 0.002 * (1 + p + r);
        f[slot::dq] = auxRate * f[slot::dt];
      }
}

TEST(ConvergenceHistory, ResidualIsTheRmsRateOverInteriorPointsOutsideHolesAndEachRingPointOnce) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 7, 6); // 5 x 4 interior points
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12); // 12 points x 8 interior layers
  setRates(*m, 3.0, -1.5);
  // A hole and the channel's edges change nothing, however fast they move.
  m->coupling.mainHoleFlag[3][3] = 1;
  m->solution.mainFlow[3][3][slot::dq] = 1e6;
  m->solution.mainFlow[1][3][slot::dq] = 1e6;
  m->solution.bodyFlow[m->grids.bodyFirst[1]][10][1][slot::dq] = 1e6; // the body surface
  m->solution.bodyFlow[m->grids.bodyFirst[1]][1][1][slot::dq] = 1e6;  // the outer edge
  m->solution.bodyFlow[m->grids.bodyLast[1]][5][1][slot::dq] = 1e6;   // the seam copy

  const double mainPoints = 5 * 4 - 1, auxPoints = 12 * 8;
  const double expected =
      std::sqrt((mainPoints * 9.0 + auxPoints * 2.25) / (mainPoints + auxPoints));
  EXPECT_NEAR(stepResidual(m->layout, m->grids, m->coupling, m->solution).densityResidual, expected,
              1e-12 * expected);
}

TEST(ConvergenceHistory, LargestSpeedIsTakenOverTheSamePoints) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 7, 6);
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12);
  setRates(*m, 0, 0);
  m->solution.mainFlow[4][3][slot::u] = 0.03;
  m->solution.mainFlow[4][3][slot::v] = -0.04;
  m->solution.mainFlow[1][2][slot::u] = 9; // the inflow column is not updated by a step
  EXPECT_DOUBLE_EQ(stepResidual(m->layout, m->grids, m->coupling, m->solution).largestSpeed, 0.05);
  m->solution.bodyFlow[m->grids.bodyFirst[1] + 3][4][1][slot::v] = 0.06;
  EXPECT_DOUBLE_EQ(stepResidual(m->layout, m->grids, m->coupling, m->solution).largestSpeed, 0.06);
}

// The check and the residual in one pass give what the two give, bit for
// bit, on sound flows and on flows broken at a point of either grid that
// only the check looks at or that both look at.
TEST(ConvergenceHistory, OnePassCheckAndResidualAgreeWithTheTwo) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    std::function<void(Model&)> change;
  } cases[] = {
      {"sound", [](Model&) {}},
      {"fast point",
       [](Model& m) { m.solution.bodyFlow[m.grids.bodyFirst[1] + 2][5][1][slot::u] = 0.7; }},
      {"NaN in the interior", [=](Model& m) { m.solution.mainFlow[4][3][slot::e] = nan; }},
      {"negative density at the inflow",
       [](Model& m) { m.solution.mainFlow[1][3][slot::rho] = -1; }},
      {"infinite pressure on a ghost column",
       [](Model& m) {
         m.solution.bodyFlow[m.grids.bodyFirst[1] - 1][3][1][slot::pres] =
             std::numeric_limits<double>::infinity();
       }},
  };
  for (const auto& c : cases) {
    auto m = makeModel();
    synthetic::mainGrid(*m, 7, 6);
    m->layout.bodyLayers = 10;
    synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12);
    setRates(*m, 3.0, -1.5);
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j)
        m->solution.mainFlow[i][j][slot::rho] = 1 + 0.01 * i;
    for (int p = m->grids.bodyFirst[1] - 1; p <= m->grids.bodyLast[1] + 1; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r) m->solution.bodyFlow[p][r][1][slot::rho] = 1;
    m->coupling.mainHoleFlag[3][3] = 1;
    c.change(*m);
    StepResidual fused{-1, -1};
    const bool sound = checkStep(m->layout, m->grids, m->coupling, m->solution, &fused);
    EXPECT_EQ(sound, flowIsSound(m->layout, m->grids, m->solution)) << c.name;
    if (sound) {
      const StepResidual apart = stepResidual(m->layout, m->grids, m->coupling, m->solution);
      EXPECT_EQ(std::memcmp(&fused, &apart, sizeof fused), 0) << c.name;
    }
  }
}

// The grids' threads gather the check and the history during a step where
// the boundary conditions leave the points alone; the rest is checked, and
// the history summed, after them.  On a layout of several bodies, at one
// and two threads: the same residual bits as checkStep after each step, the
// same verdict when the flow breaks in either part, and every point the
// boundary conditions write is checked after them.
TEST(ConvergenceHistory, TallyDuringTheStepGivesTheCheckAfterIt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    std::function<void(Model&)> breakFlow; // before the last step
  } cases[] = {
      {"sound", [](Model&) {}},
      {"main interior",
       [=](Model& m) { m.solution.mainFlow[m.grids.mainNx / 2][2][slot::e] = nan; }},
      {"body interior",
       [=](Model& m) { m.solution.bodyFlow[m.grids.bodyFirst[2] + 5][6][1][slot::u] = nan; }},
      {"body's first column",
       [=](Model& m) { m.solution.bodyFlow[m.grids.bodyFirst[1]][4][1][slot::rho] = -1; }},
      {"fast on a body's first column",
       [](Model& m) { m.solution.bodyFlow[m.grids.bodyFirst[1]][6][1][slot::u] = 3; }},
  };
  for (int threads : {1, 2})
    for (const auto& c : cases) {
      auto checked = makeModel(), tallied = makeModel();
      for (Model* m : {checked.get(), tallied.get()}) startPreset(*m, 3);
      ASSERT_TRUE(tallyCoversCheck(tallied->layout, tallied->grids, tallied->coupling));
      setSolverThreads(threads);
      StepTally tally;
      for (int s = 1; s <= 12; ++s) {
        if (s == 12) c.breakFlow(*checked), c.breakFlow(*tallied);
        timeStep(*checked);
        StepResidual a{-1, -1}, b{-1, -1};
        const bool soundA =
            checkStep(checked->layout, checked->grids, checked->coupling, checked->solution, &a);
        timeStep(*tallied, &tally);
        const bool soundB = finishCheckStep(tallied->layout, tallied->grids, tallied->coupling,
                                            tallied->solution, tally, &b);
        ASSERT_EQ(soundA, soundB) << c.name << ", step " << s;
        ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << c.name << ", step " << s;
      }
      setSolverThreads(0);
      if (std::string(c.name) != "sound") continue;
      // Each place the boundary conditions write, broken after the step.
      Model& m = *tallied;
      const int pF = m.grids.bodyFirst[2], pL = m.grids.bodyLast[2];
      const GridIndex receiver{m.coupling.mainFromBody[1].receiver[1],
                               m.coupling.mainFromBody[1].receiver[2]};
      double* const places[] = {
          &m.solution.mainFlow[1][5][slot::rho],
          &m.solution.mainFlow[m.grids.mainNx][5][slot::pres],
          &m.solution.mainFlow[7][1][slot::e],
          &m.solution.mainFlow[7][m.grids.mainNy][slot::u],
          &m.solution.mainFlow[receiver.i][receiver.j][slot::v],
          &m.solution.bodyFlow[pF - 1][5][1][slot::u],
          &m.solution.bodyFlow[pF][5][1][slot::u],
          &m.solution.bodyFlow[pL][5][1][slot::u],
          &m.solution.bodyFlow[pL + 1][5][1][slot::u],
          &m.solution.bodyFlow[pF + 3][1][1][slot::e],
          &m.solution.bodyFlow[pF + 3][m.layout.bodyLayers][1][slot::rho],
      };
      for (int k = 0; k < int(std::size(places)); ++k) {
        const double kept = *places[k];
        *places[k] = nan;
        StepResidual r;
        EXPECT_FALSE(finishCheckStep(m.layout, m.grids, m.coupling, m.solution, tally, &r))
            << "place " << k;
        *places[k] = kept;
      }
      StepResidual r;
      EXPECT_TRUE(finishCheckStep(m.layout, m.grids, m.coupling, m.solution, tally, &r));
    }
}

} // namespace
