// The residual of a step: a worked example on hand-made grids, over exactly
// the points the step updates.
#include "run/history.h"
#include "solver/flow_check.h"
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
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      FlowPoint& f = m.ryFlow[i][j];
      f[slot::dt] = 0.01 * (1 + i + 2 * j);
      f[slot::dq] = mainRate * f[slot::dt];
    }
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b] - 1; p <= m.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m.wkNr; ++r) {
        FlowPoint& f = m.wkFlow[p][r][1];
        f[slot::dt] = 0.002 * (1 + p + r);
        f[slot::dq] = auxRate * f[slot::dt];
      }
}

TEST(ConvergenceHistory, ResidualIsTheRmsRateOverInteriorPointsOutsideHolesAndEachRingPointOnce) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 7, 6); // 5 x 4 interior points
  m->wkNr = 10;
  synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12); // 12 points x 8 interior layers
  setRates(*m, 3.0, -1.5);
  // A hole and the channel's edges change nothing, however fast they move.
  m->ryHoleFlag[3][3] = 1;
  m->ryFlow[3][3][slot::dq] = 1e6;
  m->ryFlow[1][3][slot::dq] = 1e6;
  m->wkFlow[m->bodyFirst[1]][10][1][slot::dq] = 1e6; // the body surface
  m->wkFlow[m->bodyFirst[1]][1][1][slot::dq] = 1e6;  // the outer edge
  m->wkFlow[m->bodyLast[1]][5][1][slot::dq] = 1e6;   // the seam copy

  const double mainPoints = 5 * 4 - 1, auxPoints = 12 * 8;
  const double expected =
      std::sqrt((mainPoints * 9.0 + auxPoints * 2.25) / (mainPoints + auxPoints));
  EXPECT_NEAR(stepResidual(*m).densityResidual, expected, 1e-12 * expected);
}

TEST(ConvergenceHistory, LargestSpeedIsTakenOverTheSamePoints) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 7, 6);
  m->wkNr = 10;
  synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12);
  setRates(*m, 0, 0);
  m->ryFlow[4][3][slot::u] = 0.03;
  m->ryFlow[4][3][slot::v] = -0.04;
  m->ryFlow[1][2][slot::u] = 9; // the inflow column is not updated by a step
  EXPECT_DOUBLE_EQ(stepResidual(*m).largestSpeed, 0.05);
  m->wkFlow[m->bodyFirst[1] + 3][4][1][slot::v] = 0.06;
  EXPECT_DOUBLE_EQ(stepResidual(*m).largestSpeed, 0.06);
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
      {"fast point", [](Model& m) { m.wkFlow[m.bodyFirst[1] + 2][5][1][slot::u] = 0.7; }},
      {"NaN in the interior", [=](Model& m) { m.ryFlow[4][3][slot::e] = nan; }},
      {"negative density at the inflow", [](Model& m) { m.ryFlow[1][3][slot::rho] = -1; }},
      {"infinite pressure on a ghost column",
       [](Model& m) {
         m.wkFlow[m.bodyFirst[1] - 1][3][1][slot::pres] = std::numeric_limits<double>::infinity();
       }},
  };
  for (const auto& c : cases) {
    auto m = makeModel();
    synthetic::mainGrid(*m, 7, 6);
    m->wkNr = 10;
    synthetic::ringBody(*m, 4, 3, 1.0, 2.0, 12);
    setRates(*m, 3.0, -1.5);
    for (int i = 1; i <= m->ryNx; ++i)
      for (int j = 1; j <= m->ryNy; ++j) m->ryFlow[i][j][slot::rho] = 1 + 0.01 * i;
    for (int p = m->bodyFirst[1] - 1; p <= m->bodyLast[1] + 1; ++p)
      for (int r = 1; r <= m->wkNr; ++r) m->wkFlow[p][r][1][slot::rho] = 1;
    m->ryHoleFlag[3][3] = 1;
    c.change(*m);
    StepResidual fused{-1, -1};
    const bool sound = checkStep(*m, &fused);
    EXPECT_EQ(sound, flowIsSound(*m)) << c.name;
    if (sound) {
      const StepResidual apart = stepResidual(*m);
      EXPECT_EQ(std::memcmp(&fused, &apart, sizeof fused), 0) << c.name;
    }
  }
}

} // namespace
