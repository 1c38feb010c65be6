#include "coupling/cell_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

const CellCorners kUnitSquare = {PlanePoint{}, {0, 0}, {1, 0}, {1, 1}, {0, 1}};

PlanePoint bilinear(const CellCorners& q, double s, double t) {
  auto mix = [&](double PlanePoint::*c) {
    return (1 - s) * (1 - t) * (q[1].*c) + s * (1 - t) * (q[2].*c) + s * t * (q[3].*c) +
           (1 - s) * t * (q[4].*c);
  };
  return {mix(&PlanePoint::x), mix(&PlanePoint::y)};
}

} // namespace

TEST(CellTest, EdgeAndCornerHits) {
  struct Case {
    const char* what;
    double tx, ty, s, t;
  };
  const Case cases[] = {
      {"corner 1: f = 0 is recomputed from dB", 0, 0, 0, 0},
      {"corner 3 lies on edge 2 at its end", 1, 1, 1, 1},
      {"edge P2-P3 one third up", 1, 1.0 / 3, 1, 1.0 / 3},
      {"edge P4-P3", 0.6, 1, 0.6, 1},
      {"edge P1-P4", 0, 0.25, 0, 0.25},
      {"edge P1-P2", 0.5, 0, 0.5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CellHit hit = searchCellEdges(kUnitSquare, {c.tx, c.ty});
    ASSERT_TRUE(hit.found);
    EXPECT_DOUBLE_EQ(hit.s, c.s);
    EXPECT_DOUBLE_EQ(hit.t, c.t);
  }
}

TEST(CellTest, InteriorOfAParallelogramSolvesLinearEquations) {
  const CellHit hit = testCell(kUnitSquare, {0.25, 0.75});
  ASSERT_TRUE(hit.found);
  EXPECT_EQ(hit.s, 0.25);
  EXPECT_EQ(hit.t, 0.75);
  // The edge test alone misses it.
  EXPECT_FALSE(searchCellEdges(kUnitSquare, {0.25, 0.75}).found);
}

TEST(CellTest, InteriorTestKeepsTargetsOnTheFarEdgesAndNothingBeyond) {
  // searchCellInterior alone (the edge test takes a target on an edge before it): on
  // the unit square s and t are the target's coordinates, 0 and 1 included.
  const double e = std::ldexp(1.0, -40);
  const struct {
    double tx, ty;
    bool hit;
  } cases[] = {{1, 0.5, true},     {1 - e, 0.5, true},  {1 + e, 0.5, false}, {0.5, 1, true},
               {0.5, 1 - e, true}, {0.5, 1 + e, false}, {0, 0.5, true},      {-e, 0.5, false}};
  for (const auto& c : cases) {
    const CellHit hit = searchCellInterior(kUnitSquare, {c.tx, c.ty});
    ASSERT_EQ(hit.found, c.hit) << "target " << c.tx << ", " << c.ty;
    EXPECT_TRUE(!c.hit || (hit.s == c.tx && hit.t == c.ty)) << c.tx << ", " << c.ty;
  }
}

TEST(CellTest, TargetsOutsideOrTooFarAreRejected) {
  EXPECT_FALSE(testCell(kUnitSquare, {1.0 + 1e-6, 0.5}).found) << "s just above 1";
  EXPECT_FALSE(testCell(kUnitSquare, {0.5, -1e-6}).found) << "t just below 0";
  EXPECT_FALSE(testCell(kUnitSquare, {0.5, std::numeric_limits<double>::quiet_NaN()}).found);
  // A large cell containing the target, 1.9 + 0.2 from its reference point.
  const CellCorners big = {PlanePoint{}, {-10, -10}, {10, -10}, {10, 10}, {-10, 10}};
  EXPECT_FALSE(testCell(big, {1.9, 0.2}).found) << "skipped by the Manhattan prefilter";
  EXPECT_TRUE(testCell(big, {1.7, 0.2}).found);
}

TEST(CellTest, GeneralQuadrilateralsGiveBackTheirLocalCoordinates) {
  // Random convex cells of curvilinear-grid shape (a = 0.5 quadratics) and
  // random interior points: the test must find the point and return its (s, t).
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> jitter(-0.3, 0.3), unit(0.02, 0.98);
  for (int n = 0; n < 2000; ++n) {
    CellCorners q = {PlanePoint{}, {0, 0}, {1.5, 0}, {1.5, 1.2}, {0, 1.2}};
    for (int k = 1; k <= 4; ++k) {
      q[k].x += jitter(rng);
      q[k].y += jitter(rng);
    }
    const double s = unit(rng), t = unit(rng);
    const CellHit hit = testCell(q, bilinear(q, s, t));
    ASSERT_TRUE(hit.found) << "case " << n;
    EXPECT_NEAR(hit.s, s, 1e-9) << "case " << n;
    EXPECT_NEAR(hit.t, t, 1e-9) << "case " << n;
  }
}

TEST(CellTest, QuadraticRoots) {
  struct Case {
    double a, b, c, root;
  };
  const Case cases[] = {
      {0, 0, 5, 1},      // no equation at all: 1
      {0, 0, -3, 1},     //
      {0, 2, -1, 0.5},   // linear
      {0, 2, 1, -0.5},   // a negative root comes back unchanged
      {0.5, -1, 0, 0},   // x1 = 2c/q = 0
      {0.5, 0, 1, 0},    // no real root: discriminant clamped to 0, q = 0
      {0.5, -1.5, 1, 1}, // roots 1 and 2: the stable pair prefers 2c/q = 1
      {0.5, 1, -1.5, 1}, // roots 1 and -3
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(quadraticRoot(c.a, c.b, c.c), c.root) << c.a << " " << c.b << " " << c.c;
}
