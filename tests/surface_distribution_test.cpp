// The pressure and wall shear along the bodies' surfaces, checked by
// physics: a linear pressure gives each point's Cp exactly, a uniform shear
// flow gives τw = −μγ cos 2θ on a circle, τw's zeros lie where the straight
// line between two points crosses zero, and a flow at rest gives nothing.
#include "analysis/surface_distribution.h"
#include "every_shape.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A circle of radius 16 layout units about (30, 20) on 400 intervals.
std::unique_ptr<Model> circle(bool clockwise) {
  auto m = makeModel();
  synthetic::ringBody(*m, 30, 20, 16, 8, 400, 0, clockwise);
  synthetic::solverConstants(*m);
  return m;
}

TEST(SurfaceDistribution, AtRestEveryShapeHasNoPressureNoShearNoZeroAndIsWalkedFromTheFront) {
  auto m = everyShape();
  ASSERT_EQ(m->grids.nBodies, 5);
  for (int b = 1; b <= m->grids.nBodies; ++b) {
    const SurfaceDistribution d =
        surfaceDistribution(m->layout, m->constants, m->grids, m->solution, b);
    ASSERT_EQ(static_cast<int>(d.points.size()), m->grids.bodyLast[b] - m->grids.bodyFirst[b]);
    EXPECT_TRUE(d.zeros.empty()) << "body " << b;
    for (std::size_t k = 0; k < d.points.size(); ++k) {
      const SurfacePoint& p = d.points[k];
      EXPECT_EQ(p.cp, 0) << "body " << b << " point " << k;
      EXPECT_EQ(p.cf, 0) << "body " << b << " point " << k;
      if (k == 0) continue;
      // Convex bodies: both coordinates grow along the walk, clockwise.
      EXPECT_GT(p.angle, d.points[k - 1].angle) << "body " << b << " point " << k;
      EXPECT_GT(p.s, d.points[k - 1].s) << "body " << b << " point " << k;
    }
    EXPECT_LT(d.points.back().s, d.perimeter) << "body " << b;
  }
}

TEST(SurfaceDistribution, ALinearPressureGivesTheCpOfEachPointExactly) {
  auto m = everyShape();
  // In solver units, as setAuxPressure takes them.
  const auto pressure = [](double x, double y) { return 1.02 - 0.0064 * x + 0.0112 * y; };
  setAuxPressure(*m, pressure);
  const double dynamicPressure = 0.5 * m->constants.uInf * m->constants.uInf;
  for (int b = 1; b <= m->grids.nBodies; ++b)
    for (const SurfacePoint& p :
         surfaceDistribution(m->layout, m->constants, m->grids, m->solution, b).points)
      EXPECT_NEAR(p.cp, (pressure(p.x / 16, p.y / 16) - 1) / dynamicPressure, 1e-12)
          << "body " << b << " at " << p.x << ", " << p.y;
}

TEST(SurfaceDistribution, AUniformShearFlowGivesTheWallShearOfItsStressOnACircle) {
  for (bool clockwise : {false, true}) {
    auto m = circle(clockwise);
    // u = γ y: τxy = μγ only, so τw = t·(τ n) = μγ (ny² − nx²) = −μγ cos 2θ.
    const double gamma = 0.02, mu = 2 * m->constants.uInf / m->constants.reynolds;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double, double y) {
      synthetic::setState(f, 1, gamma * y / 16, 0, 1);
    });
    const SurfaceDistribution d =
        surfaceDistribution(m->layout, m->constants, m->grids, m->solution, 1);
    ASSERT_EQ(d.points.size(), 400u);
    EXPECT_NEAR(d.perimeter, 2 * std::numbers::pi * 16, 0.01);
    for (const SurfacePoint& p : d.points) {
      const double theta = p.angle * std::numbers::pi / 180;
      // A regular polygon: the length grows with the angle at the same rate.
      EXPECT_NEAR(p.s, d.perimeter * theta / (2 * std::numbers::pi), 1e-9)
          << "clockwise " << clockwise;
      EXPECT_NEAR(p.wallShear, -mu * gamma * std::cos(2 * theta), 1e-12 * mu * gamma)
          << "clockwise " << clockwise << " angle " << p.angle;
    }
    // Over the top the faster fluid runs downstream, the walking direction:
    // the wall flow meets at 135° and 315° (separation) and parts at 45° and
    // 225°.
    ASSERT_EQ(d.zeros.size(), 4u) << "clockwise " << clockwise;
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(d.zeros[k].angle, 45 + 90 * k, 0.01) << "clockwise " << clockwise;
      EXPECT_EQ(d.zeros[k].separation, k % 2 == 1) << "clockwise " << clockwise;
    }
  }
}

TEST(SurfaceDistribution, TheWallShearZerosLieOnTheLineBetweenTwoPoints) {
  // Six points 10 units (60 degrees) apart from s = 5, on a perimeter of 60.
  struct Case {
    const char* what;
    std::vector<double> shear;
    std::vector<WallShearZero> zeros;
  };
  const Case cases[] = {
      {"none", {1, 2, 3, 2, 1, 1}, {}},
      {"all zero", {0, 0, 0, 0, 0, 0}, {}},
      {"touching zero", {1, 2, 0, 3, 1, 1}, {}},
      {"down, then up at the front", {1, 1, 3, -1, -1, -1}, {{0, 0, false}, {32.5, 195, true}}},
      {"over a zero point", {-2, 2, 0, -6, -6, -2}, {{10, 60, false}, {20, 120, true}}},
      {"just past the front", {-1, -1, -1, -1, 1, 3}, {{2.5, 15, true}, {40, 240, false}}},
  };
  for (const Case& c : cases) {
    std::vector<SurfacePoint> points;
    for (std::size_t k = 0; k < c.shear.size(); ++k)
      points.push_back({0, 0, 0, 10.0 * k + 5, 60.0 * k + 30, 0, 0, c.shear[k]});
    const std::vector<WallShearZero> zeros = wallShearZeros(points, 60);
    ASSERT_EQ(zeros.size(), c.zeros.size()) << c.what;
    for (std::size_t k = 0; k < zeros.size(); ++k) {
      EXPECT_NEAR(zeros[k].s, c.zeros[k].s, 1e-12) << c.what << " zero " << k;
      EXPECT_NEAR(zeros[k].angle, c.zeros[k].angle, 1e-12) << c.what << " zero " << k;
      EXPECT_EQ(zeros[k].separation, c.zeros[k].separation) << c.what << " zero " << k;
    }
  }
}

} // namespace
