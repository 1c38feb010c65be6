// Forces on the bodies, checked by what any surface integral must satisfy:
// nothing from a uniform state, nothing from a constant added to the
// pressure, −(b, c) times the enclosed area from a linear pressure, and the
// divergence of a known viscous stress over the body's area.
#include "analysis/forces.h"
#include "every_shape.h"
#include "layout/grid_making.h"
#include "solver/initial_state.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(BodyForces, AFieldAtRestWithUniformPressureGivesNoForceOnAnyShape) {
  auto m = everyShape();
  ASSERT_EQ(m->grids.nBodies, 5);
  const FlowForces f = flowForces(m->layout, m->constants, m->grids, m->solution);
  for (const BodyForces& b : f.bodies) {
    // Scale: the pressure force on one side, p·D, over ½ uInf² D.
    const double scale = 1 / (0.5 * m->constants.uInf * m->constants.uInf);
    EXPECT_LE(std::fabs(b.cd), 1e-13 * scale) << "shape " << b.shape;
    EXPECT_LE(std::fabs(b.cl), 1e-13 * scale) << "shape " << b.shape;
  }
  EXPECT_EQ(f.pressureDrop, 0);
}

TEST(BodyForces, AConstantAddedToThePressureChangesNoForce) {
  auto m = everyShape();
  synthetic::fillFlow(*m, synthetic::wavyState);
  const FlowForces before = flowForces(m->layout, m->constants, m->grids, m->solution);
  for (int b = 1; b <= m->grids.nBodies; ++b)
    for (int p = m->grids.bodyFirst[b] - 1; p <= m->grids.bodyLast[b] + 1; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r)
        m->solution.bodyFlow[p][r][1][slot::pres] += 0.75;
  const FlowForces after = flowForces(m->layout, m->constants, m->grids, m->solution);
  const double scale = 1.75 / (0.5 * m->constants.uInf * m->constants.uInf);
  for (int b = 0; b < m->grids.nBodies; ++b) {
    EXPECT_NEAR(after.bodies[b].cd, before.bodies[b].cd, 1e-13 * scale) << "body " << b + 1;
    EXPECT_NEAR(after.bodies[b].cl, before.bodies[b].cl, 1e-13 * scale) << "body " << b + 1;
    EXPECT_GT(std::fabs(before.bodies[b].cd), 1e-3) << "the wavy flow does push the body";
  }
}

TEST(BodyForces, ALinearPressureAtRestPushesByItsGradientTimesTheEnclosedArea) {
  auto m = everyShape();
  const double a = 1.2, bx = -0.03, cy = 0.05;
  setAuxPressure(*m, [&](double x, double y) { return a + bx * x + cy * y; });
  for (int b = 1; b <= m->grids.nBodies; ++b) {
    const double area = surfaceArea(m->layout, m->grids, b);
    EXPECT_GT(area, 0.01) << "body " << b;
    const Force f = pressureForce(m->layout, m->grids, m->solution, b);
    EXPECT_NEAR(f.fx, -bx * area, 1e-13) << "body " << b;
    EXPECT_NEAR(f.fy, -cy * area, 1e-13) << "body " << b;
    const Force v = viscousForce(m->layout, m->constants, m->grids, m->solution, b);
    EXPECT_EQ(v.fx, 0) << "at rest";
    EXPECT_EQ(v.fy, 0) << "at rest";
  }
}

// A circle of radius 1 (16 layout units) on a fine ring whose layers are
// evenly spaced, with the solver constants; the flow is set by the test.
std::unique_ptr<Model> fineCircle(bool clockwise) {
  auto m = makeModel();
  m->layout.bodyLayers = 10;
  const int b = m->grids.nBodies = 1, intervals = 400;
  const int pF = m->grids.bodyFirst[b] = 2, pL = m->grids.bodyLast[b] = pF + intervals;
  m->grids.bodyPerimeterPoints = pL;
  sizeBodyGrids(m->layout, m->grids, m->pixels, m->solution, m->scratch, pL + 1);
  for (int p = pF - 1; p <= pL + 1; ++p)
    for (int r = 1; r <= m->layout.bodyLayers; ++r) {
      const double theta = (clockwise ? -2 : 2) * std::numbers::pi * (p - pF) / intervals;
      const double radius = 16 + 0.5 * (m->layout.bodyLayers - r);
      m->grids.bodyGrid[p][r][1].bodyGridX = radius * std::cos(theta);
      m->grids.bodyGrid[p][r][1].bodyGridY = radius * std::sin(theta);
    }
  computeBodyMetrics(m->grids, pF, pL, 1, m->layout.bodyLayers, 1);
  synthetic::solverConstants(*m);
  return m;
}

TEST(BodyForces, AViscousStressOfKnownDivergenceGivesItsIntegralOverTheBody) {
  for (bool clockwise : {false, true}) {
    auto m = fineCircle(clockwise);
    const double mu = 2 * m->constants.uInf / m->constants.reynolds;
    // A uniform shear u = γy: a constant stress τxy = μγ, no net force.
    const double gamma = 0.02;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double, double y) {
      synthetic::setState(f, 1, gamma * y / 16, 0, 1);
    });
    const Force uniform = viscousForce(m->layout, m->constants, m->grids, m->solution, 1);
    EXPECT_NEAR(uniform.fx, 0, 1e-15) << "clockwise " << clockwise;
    EXPECT_NEAR(uniform.fy, 0, 1e-15) << "clockwise " << clockwise;

    // u = c·y², v = c·x²: τxy = 2μc(x + y), τxx = τyy = 0, so
    // F = ∫ div τ dA = (2μc·area, 2μc·area).
    const double c = 0.01;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double x, double y) {
      synthetic::setState(f, 1, c * (y / 16) * (y / 16), c * (x / 16) * (x / 16), 1);
    });
    const Force f = viscousForce(m->layout, m->constants, m->grids, m->solution, 1);
    const double expected = 2 * mu * c * surfaceArea(m->layout, m->grids, 1);
    EXPECT_NEAR(f.fx, expected, 1e-4 * expected) << "clockwise " << clockwise;
    EXPECT_NEAR(f.fy, expected, 1e-4 * expected) << "clockwise " << clockwise;
  }
}

TEST(ChannelPressureDrop, IsTheInflowColumnsMeanLessTheOutletsMean) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 12, 9); // outlet rows 4..6
  for (int j = 1; j <= 9; ++j) {
    m->solution.mainFlow[1][j][slot::pres] = 1.0 + 0.01 * j; // mean 1.05
    m->solution.mainFlow[12][j][slot::pres] = j >= 4 && j <= 6 ? 1.0 : 7.0;
  }
  EXPECT_NEAR(flowForces(m->layout, m->constants, m->grids, m->solution).pressureDrop, 0.05, 1e-15);
}

} // namespace
