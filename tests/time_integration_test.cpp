// Initial state, the rational Runge-Kutta combination, the update and the
// implicit smoothing of the increments.
#include "reused_model.h"
#include "solver/initial_state.h"
#include "solver/smoothing.h"
#include "solver/time_integration.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// ------------------------------------------------------------ initial state

TEST(InitialState, FlowAtRestWithTheInflowColumnMoving) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 30, 20);
  m->layout.bodyLayers = 10;
  sizeBodyGrids(m->layout, m->grids, m->pixels, m->solution, m->scratch, 40);
  // Leftovers of an earlier run must not survive.
  m->solution.mainFlow[30][20][slot::dq] = 7;
  m->solution.mainFlow[4][4][slot::omega] = 3;
  m->solution.bodyFlow[40][10][1][slot::res] = 5;
  m->scratch.mainSumXY[2] = 1;
  m->scratch.bodySumYY[4] = 1;
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);

  const double uInf = 0.05 * std::sqrt(1.4);
  EXPECT_NEAR(m->constants.uInf, 0.0591607978309962, 1e-16);
  for (int i : {1, 2, 30})
    for (int j : {1, 10, 20}) {
      const FlowPoint& f = m->solution.mainFlow[i][j];
      const bool inflow = i == 1 && j <= 20;
      EXPECT_EQ(f[slot::rho], 1.0);
      EXPECT_EQ(f[slot::u], inflow ? uInf : 0.0) << i << "," << j;
      EXPECT_EQ(f[slot::v], 0.0);
      EXPECT_EQ(f[slot::e], 2.5);
      EXPECT_EQ(f[slot::pres], 1.0);
      EXPECT_EQ(f[slot::omega], 0.0);
      for (int k = slot::dt; k <= slot::count; ++k) EXPECT_EQ(f[k], 0.0) << "slot " << k;
    }
  EXPECT_EQ(m->solution.mainFlow[4][4][slot::omega], 0.0);
  EXPECT_EQ(m->solution.bodyFlow[40][10][1][slot::res], 0.0);
  EXPECT_EQ(m->solution.bodyFlow[40][10][1][slot::e], 2.5);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(m->scratch.mainSumXY[k] + m->scratch.bodySumYY[k], 0.0);

  EXPECT_EQ(m->constants.mainDx, 0.078125);
  EXPECT_EQ(m->constants.mainDx2, 0.006103515625);
  EXPECT_EQ(m->constants.uInfTrace, m->constants.uInf);
  EXPECT_EQ(m->constants.reynolds, 100);
  EXPECT_EQ(m->constants.entropyRef, 1);
  EXPECT_EQ(m->constants.stressA, 4.0 / 3.0);
  EXPECT_EQ(m->constants.stressB, -2.0 / 3.0);
  EXPECT_EQ(m->constants.heatCoef, 5.0);
  EXPECT_EQ(m->constants.cflMain, 2.65);
  EXPECT_EQ(m->constants.cflAux, 3.2);
  EXPECT_EQ(m->constants.k4Main, 0.015625);
  EXPECT_EQ(m->constants.k4Aux, 0.015625);
}

TEST(InitialState, SetsEveryLayerOfGridSetOneAndLeavesGridSetTwoAlone) {
  // The body grids hold the layers in use only (1..bodyLayers).
  auto m = makeModel();
  synthetic::mainGrid(*m, 30, 20);
  m->layout.bodyLayers = 10;
  sizeBodyGrids(m->layout, m->grids, m->pixels, m->solution, m->scratch, 40);
  ASSERT_EQ(m->solution.bodyFlow.extent2(), 11);
  m->solution.bodyFlow[5][3][2][slot::rho] = 8;
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  EXPECT_EQ(m->solution.bodyFlow[5][3][2][slot::rho], 8);
  EXPECT_EQ(m->solution.bodyFlow[5][10][1][slot::rho], 1);
}

// ------------------------------------------------------ rational combination

std::unique_ptr<Model> smallChannel() {
  auto m = makeModel();
  synthetic::mainGrid(*m, 14, 11);
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 8, 6, 2.5, 6.2, 24);
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  return m;
}

TEST(RationalCombination, ResidualUnchangedBetweenStagesGivesTheFullFirstStage) {
  // Y = 2X on every point: dq = X 8(X,Y)/(Y,Y) - Y 4(X,X)/(Y,Y) = 2X = g1.
  auto m = smallChannel();
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> x(-1e-3, 1e-3);
  for (int i = 2; i <= m->grids.mainNx - 1; ++i)
    for (int j = 2; j <= m->grids.mainNy - 1; ++j)
      for (int k = 0; k < 4; ++k) {
        FlowPoint& f = m->solution.mainFlow[i][j];
        f[slot::dq + k] = x(gen);
        f[slot::res + k] = 2 * f[slot::dq + k];
        m->scratch.mainSumYY[k + 1] += f[slot::res + k] * f[slot::res + k];
        m->scratch.mainSumXY[k + 1] += f[slot::dq + k] * f[slot::res + k];
        m->scratch.mainSumXX[k + 1] += f[slot::dq + k] * f[slot::dq + k];
      }
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    for (int r = 2; r <= m->layout.bodyLayers - 1; ++r)
      for (int k = 0; k < 4; ++k) {
        FlowPoint& f = m->solution.bodyFlow[p][r][1];
        f[slot::dq + k] = x(gen);
        f[slot::res + k] = 2 * f[slot::dq + k];
        m->scratch.bodySumYY[k + 1] += f[slot::res + k] * f[slot::res + k];
        m->scratch.bodySumXY[k + 1] += f[slot::dq + k] * f[slot::res + k];
        m->scratch.bodySumXX[k + 1] += f[slot::dq + k] * f[slot::dq + k];
      }
  m->coupling.mainHoleFlag[5][5] = 1;
  const auto before = std::make_unique<Model>(*m);
  combineStages(*m);

  for (int i = 2; i <= m->grids.mainNx - 1; ++i)
    for (int j = 2; j <= m->grids.mainNy - 1; ++j)
      for (int k = 0; k < 4; ++k) {
        const double X = before->solution.mainFlow[i][j][slot::dq + k];
        const double expected = (i == 5 && j == 5) ? X : 2 * X; // a flagged point keeps X
        ASSERT_EQ(m->solution.mainFlow[i][j][slot::dq + k], expected) << i << "," << j << " k" << k;
      }
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    for (int r = 2; r <= m->layout.bodyLayers - 1; ++r)
      for (int k = 0; k < 4; ++k)
        ASSERT_EQ(m->solution.bodyFlow[p][r][1][slot::dq + k],
                  2 * before->solution.bodyFlow[p][r][1][slot::dq + k]);
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(m->scratch.mainSumXX[k] + m->scratch.mainSumXY[k] + m->scratch.mainSumYY[k] +
                  m->scratch.bodySumXX[k] + m->scratch.bodySumXY[k] + m->scratch.bodySumYY[k],
              0.0)
        << "accumulators cleared";
}

TEST(RationalCombination, GridsAtRestGetZeroIncrementsNotNaN) {
  // With no residual anywhere every main-grid stage value and sum is exactly
  // zero; its quotients carry the same 1e-40 guard as the auxiliary ones, so
  // the increment is 0 rather than 0/0.  On the curved ring the metric
  // terms leave rounding-level stage values.
  auto m = smallChannel();
  for (int j = 1; j <= m->grids.mainNy; ++j)
    m->solution.mainFlow[1][j][slot::u] = 0; // nothing moves
  rationalRungeKuttaIncrement(*m);
  for (int i = 2; i <= m->grids.mainNx - 1; ++i)
    for (int j = 2; j <= m->grids.mainNy - 1; ++j)
      for (int k = 0; k < 4; ++k) ASSERT_EQ(m->solution.mainFlow[i][j][slot::dq + k], 0.0);
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    for (int r = 2; r <= m->layout.bodyLayers - 1; ++r)
      for (int k = 0; k < 4; ++k)
        ASSERT_LT(std::fabs(m->solution.bodyFlow[p][r][1][slot::dq + k]), 1e-13);
}

TEST(Update, HolePointsKeepTheirStateAndBoundariesAreLeftAlone) {
  auto m = smallChannel();
  synthetic::fillFlow(*m, synthetic::wavyState);
  for (int i = 1; i <= m->grids.mainNx; ++i)
    for (int j = 1; j <= m->grids.mainNy; ++j)
      for (int k = 0; k < 4; ++k) m->solution.mainFlow[i][j][slot::dq + k] = 1e-3 * (k + 1);
  for (int p = 1; p <= m->grids.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= m->layout.bodyLayers; ++r)
      for (int k = 0; k < 4; ++k) m->solution.bodyFlow[p][r][1][slot::dq + k] = 1e-3;
  m->coupling.mainHoleCount = 1;
  m->coupling.mainHoleList = {{}, {6, 4}};
  const auto before = std::make_unique<Model>(*m);
  addIncrements(*m);

  const FlowPoint &hole = m->solution.mainFlow[6][4], &was = before->solution.mainFlow[6][4];
  for (int k : {slot::rho, slot::e}) EXPECT_EQ(hole[k], was[k]);
  for (int k : {slot::u, slot::v}) EXPECT_NEAR(hole[k], was[k], 1e-16);
  EXPECT_EQ(hole[slot::pres],
            pressureOf(hole[slot::rho], hole[slot::u], hole[slot::v], hole[slot::e]));

  const FlowPoint& moved = m->solution.mainFlow[7][4];
  const FlowPoint& movedWas = before->solution.mainFlow[7][4];
  EXPECT_EQ(moved[slot::rho], movedWas[slot::rho] + movedWas[slot::dq]);
  EXPECT_EQ(moved[slot::e], movedWas[slot::e] + movedWas[slot::dq + 3]);

  for (int j = 1; j <= m->grids.mainNy; ++j)
    for (int i : {1, m->grids.mainNx})
      EXPECT_EQ(m->solution.mainFlow[i][j], before->solution.mainFlow[i][j]);
  for (int i = 1; i <= m->grids.mainNx; ++i)
    for (int j : {1, m->grids.mainNy})
      EXPECT_EQ(m->solution.mainFlow[i][j], before->solution.mainFlow[i][j]);
  for (int p = m->grids.bodyFirst[1] - 1; p <= m->grids.bodyLast[1] + 1; ++p)
    for (int r : {1, m->layout.bodyLayers})
      EXPECT_EQ(m->solution.bodyFlow[p][r][1], before->solution.bodyFlow[p][r][1]);
  EXPECT_EQ(m->solution.bodyFlow[m->grids.bodyFirst[1] - 1][5][1],
            before->solution.bodyFlow[m->grids.bodyFirst[1] - 1][5][1]);
  EXPECT_NE(m->solution.bodyFlow[m->grids.bodyFirst[1]][5][1][slot::rho],
            before->solution.bodyFlow[m->grids.bodyFirst[1]][5][1][slot::rho]);
}

// ----------------------------------------------------------------- smoothing

struct LineSolveCase {
  const char* name;
  std::vector<double> rhs, solution;
};

const LineSolveCase kLineSolves[] = {
    {"one point", {1}, {5.0 / 28}},
    {"two points", {1, 1}, {10.0 / 33, 10.0 / 33}},
    {"three points, ones", {1, 1, 1}, {395.0 / 1039, 510.0 / 1039, 395.0 / 1039}},
    {"three points, spike", {0, 1, 0}, {115.0 / 1039, 280.0 / 1039, 115.0 / 1039}},
    {"zeros", {0, 0, 0, 0}, {0, 0, 0, 0}},
};

TEST(Smoothing, WorkedLineSolves) {
  // A grid one perimeter index wide: the radial line is the line under test,
  // each perimeter line is a single point that divides by 5.6 once more.
  auto m = makeModel();
  for (const auto& c : kLineSolves) {
    clearModel(*m);
    const int n = int(c.rhs.size());
    m->layout.bodyLayers = n + 2;
    sizeBodyGrids(m->layout, m->grids, m->pixels, m->solution, m->scratch, 7);
    for (int r = 1; r <= n; ++r)
      for (int k = 0; k < 4; ++k)
        m->solution.bodyFlow[7][r + 2][1][slot::dq + k] = c.rhs[r - 1] * (k + 1);
    smoothBodyGrids(*m, 7, 7, 3, n + 2, 1);
    for (int r = 1; r <= n; ++r)
      for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(m->solution.bodyFlow[7][r + 2][1][slot::dq + k] * 5.6,
                    c.solution[r - 1] * (k + 1), 1e-15)
            << c.name << " position " << r << " component " << k;
  }
}

// (1 + 2 eps) x(n) - eps (x(n-1) + x(n+1)) along a line of values, the ends
// having one neighbour: the operator whose inverse the smoothing applies.
std::vector<double> applyOperator(const std::vector<double>& x) {
  const int n = int(x.size());
  std::vector<double> r(n);
  for (int i = 0; i < n; ++i)
    r[i] = 5.6 * x[i] - (i > 0 ? 2.3 * x[i - 1] : 0) - (i < n - 1 ? 2.3 * x[i + 1] : 0);
  return r;
}

TEST(Smoothing, MainGridSolvesColumnsThenRows) {
  // Undo the smoothing with the operator: rows j = 2..ny-1 first (they were
  // solved last), then the columns i = 2..nx-1 must give the increments back.
  auto m = makeModel();
  synthetic::mainGrid(*m, 9, 7);
  std::mt19937 gen(11);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 7; ++j)
      for (int k = 0; k < 4; ++k) m->solution.mainFlow[i][j][slot::dq + k] = u(gen);
  const auto before = std::make_unique<Model>(*m);
  smoothMainGrid(*m);

  for (int k = 0; k < 4; ++k) {
    std::vector<std::vector<double>> mid(10, std::vector<double>(8));
    for (int j = 1; j <= 7; ++j) {
      std::vector<double> row;
      for (int i = 1; i <= 9; ++i) row.push_back(m->solution.mainFlow[i][j][slot::dq + k]);
      if (j >= 2 && j <= 6) row = applyOperator(row);
      for (int i = 1; i <= 9; ++i) mid[i][j] = row[i - 1];
    }
    for (int i = 1; i <= 9; ++i) {
      std::vector<double> col(mid[i].begin() + 1, mid[i].end());
      if (i >= 2 && i <= 8) col = applyOperator(col);
      for (int j = 1; j <= 7; ++j)
        EXPECT_NEAR(col[j - 1], before->solution.mainFlow[i][j][slot::dq + k], 1e-13)
            << i << "," << j;
    }
  }
}

TEST(Smoothing, AuxiliaryPerimeterLineCrossesTheGapsBetweenBodies) {
  auto m = makeModel();
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 0, 0, 2, 6.2, 12);
  synthetic::ringBody(*m, 30, 0, 2, 6.2, 12);
  // One nonzero increment at the last point of body 1 spreads into body 2.
  m->solution.bodyFlow[m->grids.bodyLast[1]][5][1][slot::dq] = 1;
  smoothBodyGrids(*m, 1, m->grids.bodyPerimeterPoints, 1, m->layout.bodyLayers, 1);
  EXPECT_GT(m->solution.bodyFlow[m->grids.bodyFirst[1] + 4][5][1][slot::dq], 0.0);
  EXPECT_GT(m->solution.bodyFlow[m->grids.bodyFirst[2]][5][1][slot::dq], 0.0);
  EXPECT_GT(m->solution.bodyFlow[m->grids.bodyLast[1] + 2][5][1][slot::dq], 0.0)
      << "the index between the bodies";
}

} // namespace
