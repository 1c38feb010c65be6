// The residuals of both grids: uniform flows have none, whatever the grid
// shape; the dissipation sensor and third differences; the local time steps
// and the hole points.
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "reused_model.h"
#include "solver/line_dissipation.h"
#include "solver/residual_aux.h"
#include "solver/residual_main.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct UniformCase {
  const char* name;
  double rho, u, v, p;
};

const UniformCase kUniform[] = {
    {"rest", 1.0, 0.0, 0.0, 1.0},
    {"stream", 1.0, 0.0591607978309962, 0.0, 1.0},
    {"oblique", 1.13, 0.041, -0.027, 0.93},
};

// A channel with two rings of opposite orientations, built into a clean model.
void fillUniformChannel(Model& m, const UniformCase& c, bool clockwiseRings) {
  synthetic::mainGrid(m, 24, 17);
  synthetic::solverConstants(m);
  m.layout.bodyLayers = 10;
  synthetic::ringBody(m, 12, 10, 3.5, 6.2, 40, 0.15, clockwiseRings);
  synthetic::ringBody(m, 25, 9, 2.0, 6.2, 28, 0.3, !clockwiseRings);
  synthetic::fillFlow(
      m, [&](FlowPoint& f, double, double) { synthetic::setState(f, c.rho, c.u, c.v, c.p); });
}

std::unique_ptr<Model> uniformChannel(const UniformCase& c, bool clockwiseRings) {
  auto m = makeModel();
  fillUniformChannel(*m, c, clockwiseRings);
  return m;
}

TEST(MainResidual, UniformFlowGivesZeroStageValues) {
  // On the Cartesian grid every difference of a uniform state is exactly 0,
  // so X is exactly 0.  The intermediate pressure, recomputed from E at the
  // interior points only, may differ from the boundary's by one rounding,
  // which leaves Y at rounding level.
  auto m = makeModel();
  for (const auto& c : kUniform) {
    clearModel(*m);
    fillUniformChannel(*m, c, false);
    mainGridResidual(*m);
    for (int i = 2; i <= m->grids.mainNx - 1; ++i)
      for (int j = 2; j <= m->grids.mainNy - 1; ++j)
        for (int k = 0; k < 4; ++k) {
          ASSERT_EQ(m->solution.mainFlow[i][j][slot::dq + k], 0.0)
              << c.name << " X at " << i << "," << j;
          ASSERT_LT(std::fabs(m->solution.mainFlow[i][j][slot::res + k]), 1e-14)
              << c.name << " Y at " << i << "," << j;
        }
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(m->scratch.mainSumXY[k], 0.0) << c.name;
    // The state is back at U^n.
    EXPECT_DOUBLE_EQ(m->solution.mainFlow[7][5][slot::u], c.u) << c.name;
    EXPECT_DOUBLE_EQ(m->solution.mainFlow[7][5][slot::rho], c.rho) << c.name;
  }
}

TEST(AuxResidual, UniformFlowGivesZeroStageValuesOnCurvedRingsOfBothOrientations) {
  auto m = makeModel();
  for (bool clockwise : {false, true})
    for (const auto& c : kUniform) {
      clearModel(*m);
      fillUniformChannel(*m, c, clockwise);
      for (int b = 1; b <= m->grids.nBodies; ++b)
        bodyGridResidual(*m, m->grids.bodyFirst[b], m->grids.bodyLast[b], 2,
                         m->layout.bodyLayers - 1, 1, 100.0);
      double worst = 0;
      for (int b = 1; b <= m->grids.nBodies; ++b)
        for (int p = m->grids.bodyFirst[b]; p <= m->grids.bodyLast[b]; ++p)
          for (int r = 2; r <= m->layout.bodyLayers - 1; ++r)
            for (int k = 0; k < 4; ++k) {
              worst = std::max(worst, std::fabs(m->solution.bodyFlow[p][r][1][slot::dq + k]));
              worst = std::max(worst, std::fabs(m->solution.bodyFlow[p][r][1][slot::res + k]));
            }
      // The metric terms cancel only to rounding; a wavy flow gives stage
      // values around 1e-3 on these rings.
      EXPECT_LT(worst, 1e-13) << c.name << (clockwise ? " clockwise" : " anticlockwise");
    }
}

TEST(AuxResidual, UniformFlowGivesZeroStageValuesOnTheGridsOfEveryPreset) {
  // The grid maker's outlines (circles, squares, triangles, plates,
  // ellipses, turned) with the metric routine's metrics.
  auto m = makeModel();
  for (int preset = 0; preset <= 4; ++preset) {
    clearModel(*m);
    setStartupDefaults(m->layout, m->editing, m->view);
    FakeWindowServices ws;
    if (preset == 0)
      rebuildGrids(*m);
    else
      applyPreset(*m, preset);
    computeMetrics(m->layout, m->grids);
    synthetic::solverConstants(*m);
    synthetic::fillFlow(
        *m, [](FlowPoint& f, double, double) { synthetic::setState(f, 1.02, 0.05, 0.01, 0.98); });
    double worst = 0;
    for (int b = 1; b <= m->grids.nBodies; ++b) {
      bodyGridResidual(*m, m->grids.bodyFirst[b], m->grids.bodyLast[b], 2, m->layout.bodyLayers - 1,
                       1, 100.0);
      for (int p = m->grids.bodyFirst[b]; p <= m->grids.bodyLast[b]; ++p)
        for (int r = 2; r <= m->layout.bodyLayers - 1; ++r)
          for (int k = 0; k < 4; ++k)
            worst = std::max({worst, std::fabs(m->solution.bodyFlow[p][r][1][slot::dq + k]),
                              std::fabs(m->solution.bodyFlow[p][r][1][slot::res + k])});
    }
    EXPECT_LT(worst, 1e-12) << "layout " << preset;
  }
}

TEST(AuxResidual, WavyFlowGivesStageValuesWellAboveRounding) {
  // Guards the test above: the same rings with a non-uniform flow move.
  auto m = uniformChannel(kUniform[0], false);
  synthetic::fillFlow(*m, synthetic::wavyState);
  bodyGridResidual(*m, m->grids.bodyFirst[1], m->grids.bodyLast[1], 2, m->layout.bodyLayers - 1, 1,
                   100.0);
  double largest = 0;
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    largest = std::max(largest, std::fabs(m->solution.bodyFlow[p][5][1][slot::dq]));
  EXPECT_GT(largest, 1e-5);
  EXPECT_TRUE(std::isfinite(largest));
}

TEST(AuxResidual, TimeStepAtRestIsTheSmallerDirectionalMeasure) {
  auto m = uniformChannel(kUniform[0], true);
  bodyGridResidual(*m, m->grids.bodyFirst[1], m->grids.bodyLast[1], 2, m->layout.bodyLayers - 1, 1,
                   100.0);
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    for (int r = 2; r <= m->layout.bodyLayers - 1; ++r) {
      const double J = std::fabs(m->grids.bodyMetric[p][r][1][5]);
      const double tauXi = J / m->grids.bodySoundLength[p][r][1][2];
      const double tauEta = J / m->grids.bodySoundLength[p][r][1][1];
      EXPECT_EQ(m->solution.bodyFlow[p][r][1][slot::dt], 3.2 * std::min(tauEta, tauXi))
          << p << "," << r;
    }
}

TEST(AuxResidual, BothSeamCopiesAreUpdatedAndTheGhostsAreNot) {
  auto m = uniformChannel(kUniform[0], false);
  synthetic::fillFlow(*m, synthetic::wavyState);
  const int pF = m->grids.bodyFirst[1], pL = m->grids.bodyLast[1];
  const FlowPoint ghostBefore = m->solution.bodyFlow[pF - 1][4][1];
  const FlowPoint edgeBefore = m->solution.bodyFlow[pF + 3][1][1];
  bodyGridResidual(*m, pF, pL, 2, m->layout.bodyLayers - 1, 1, 100.0);
  EXPECT_NE(m->solution.bodyFlow[pF][4][1][slot::dq], 0.0);
  EXPECT_NE(m->solution.bodyFlow[pL][4][1][slot::dq], 0.0);
  for (int k : {slot::rho, slot::u, slot::v, slot::e, slot::pres, slot::dq}) {
    EXPECT_EQ(m->solution.bodyFlow[pF - 1][4][1][k], ghostBefore[k]) << "ghost slot " << k;
    EXPECT_EQ(m->solution.bodyFlow[pF + 3][1][1][k], edgeBefore[k]) << "outer edge slot " << k;
  }
}

TEST(MainResidual, TimeStepAtRestAndHolePoints) {
  auto m = uniformChannel(kUniform[0], false);
  synthetic::fillFlow(*m, synthetic::wavyState);
  // A point at rest in a moving flow, and two hole points.
  synthetic::setState(m->solution.mainFlow[10][6], 1.0, 0.0, 0.0, 1.0);
  m->coupling.mainHoleCount = 2;
  m->coupling.mainHoleList = {{}, {5, 8}, {6, 8}};
  const FlowPoint holeBefore = m->solution.mainFlow[5][8];
  mainGridResidual(*m);
  EXPECT_EQ(m->solution.mainFlow[10][6][slot::dt], 2.65 * m->constants.mainDx / 1.183);
  for (int i : {5, 6}) {
    const FlowPoint& f = m->solution.mainFlow[i][8];
    EXPECT_EQ(f[slot::dt], 0.0);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(f[slot::dq + k], 0.0) << "X of hole " << i;
      EXPECT_EQ(f[slot::res + k], 0.0) << "Y of hole " << i;
    }
  }
  EXPECT_EQ(m->solution.mainFlow[5][8][slot::rho], holeBefore[slot::rho]);
  EXPECT_NE(m->solution.mainFlow[7][8][slot::dq], 0.0) << "ordinary points do move";
}

TEST(MainResidual, RestoreReturnsTheStateToUnAndKeepsTheIntermediatePressure) {
  auto m = uniformChannel(kUniform[0], false);
  synthetic::fillFlow(*m, synthetic::wavyState);
  const FlowPoint before = m->solution.mainFlow[9][7];
  mainGridResidual(*m);
  const FlowPoint& f = m->solution.mainFlow[9][7];
  for (int k : {slot::rho, slot::u, slot::v, slot::e})
    EXPECT_NEAR(f[k], before[k], 1e-15) << "slot " << k;
  EXPECT_GT(std::fabs(f[slot::pres] - before[slot::pres]), 1e-9)
      << "pressure stays at the intermediate state";
}

// --------------------------------------------------- dissipation sensor

// A line of five points with given pressures and densities, at rest.
struct LineCase {
  const char* name;
  double p[5];
  double rho[5];
  double sensor[4]; // s at the interfaces 1.5 .. 4.5
  double third[4];  // D3 of rho at the interfaces
};

const LineCase kLines[] = {
    {"uniform pressure, cubic density",
     {1, 1, 1, 1, 1},
     {1, 2, 9, 28, 65}, // 1 + (n - 1)^3: third difference 6
     {0, 0, 0, 0},
     {6, 6, 6, -18}},
    {"pressure kink",
     {1, 1, 1.3, 1, 1},
     {1, 1, 1, 1, 1},
     {0.3 / 4.3, 0.6 / 4.6, 0.6 / 4.6, 0.3 / 4.3},
     {0, 0, 0, 0}},
};

TEST(DissipationSensor, SensorEndRulesAndThirdDifferences) {
  for (const auto& c : kLines) {
    // A line of five points at plane indices 1..5.
    double p[7] = {}, rho[7] = {}, nu[7] = {};
    for (int n = 1; n <= 5; ++n) {
      p[n] = c.p[n - 1];
      rho[n] = c.rho[n - 1];
    }
    for (int n = 2; n <= 4; ++n) nu[n] = pressureSensor(p, n, 1);
    const double sensor[4] = {
        interfaceSensor<Place::first>(nu, 1, 2), interfaceSensor<Place::inner>(nu, 2, 3),
        interfaceSensor<Place::inner>(nu, 3, 4), interfaceSensor<Place::last>(nu, 4, 5)};
    const double third[4] = {
        thirdDifference<Place::first>(rho, 1, 1), thirdDifference<Place::inner>(rho, 2, 1),
        thirdDifference<Place::inner>(rho, 3, 1), thirdDifference<Place::last>(rho, 4, 1)};
    for (int n = 0; n < 4; ++n) {
      EXPECT_DOUBLE_EQ(sensor[n], c.sensor[n]) << c.name << " sensor at interface " << n + 1;
      EXPECT_DOUBLE_EQ(third[n], c.third[n]) << c.name << " D3 at interface " << n + 1;
    }
  }
}

} // namespace
