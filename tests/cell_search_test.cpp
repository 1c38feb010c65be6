#include "coupling/cell_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

struct Quad {
  double x[5], y[5]; // corners 1..4
};

constexpr Quad kUnitSquare = {{0, 0, 1, 1, 0}, {0, 0, 0, 1, 1}};

// The full cell test on a quad, as the scans apply it.
bool runCellTest(Model& m, const Quad& q, double tx, double ty, int a = 7, int b = 8) {
  setSearchTarget(m, tx, ty);
  return testCell(m, a, b, 1, q.x[1], q.y[1], q.x[2], q.y[2], q.x[3], q.y[3], q.x[4], q.y[4]);
}

void bilinear(const Quad& q, double s, double t, double& x, double& y) {
  x = (1 - s) * (1 - t) * q.x[1] + s * (1 - t) * q.x[2] + s * t * q.x[3] + (1 - s) * t * q.x[4];
  y = (1 - s) * (1 - t) * q.y[1] + s * (1 - t) * q.y[2] + s * t * q.y[3] + (1 - s) * t * q.y[4];
}

} // namespace

TEST(CellTest, EdgeAndCornerHits) {
  auto m = makeModel();
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
    setSearchTarget(*m, c.tx, c.ty);
    for (int k = 1; k <= 4; ++k) {
      m->searchX[k] = kUnitSquare.x[k];
      m->searchY[k] = kUnitSquare.y[k];
    }
    m->searchX[5] = m->searchY[5] = 0.5;
    searchCellEdges(*m, 3, 4, 1);
    ASSERT_EQ(m->hitA, 3);
    EXPECT_EQ(m->hitB, 4);
    EXPECT_EQ(m->hitC, 1);
    EXPECT_DOUBLE_EQ(m->hitS, c.s);
    EXPECT_DOUBLE_EQ(m->hitT, c.t);
  }
}

TEST(CellTest, InteriorOfAParallelogramSolvesLinearEquations) {
  auto m = makeModel();
  ASSERT_TRUE(runCellTest(*m, kUnitSquare, 0.25, 0.75));
  EXPECT_EQ(m->hitS, 0.25);
  EXPECT_EQ(m->hitT, 0.75);
  // The edge test alone misses it.
  searchCellEdges(*m, 7, 8, 1);
  EXPECT_EQ(m->hitA, 0);
}

TEST(CellTest, InteriorTestKeepsTargetsOnTheFarEdgesAndNothingBeyond) {
  // searchCellInterior alone (the edge test takes a target on an edge before it): on
  // the unit square s and t are the target's coordinates, 0 and 1 included.
  auto m = makeModel();
  const double e = std::ldexp(1.0, -40);
  const struct {
    double tx, ty;
    bool hit;
  } cases[] = {{1, 0.5, true},     {1 - e, 0.5, true},  {1 + e, 0.5, false}, {0.5, 1, true},
               {0.5, 1 - e, true}, {0.5, 1 + e, false}, {0, 0.5, true},      {-e, 0.5, false}};
  for (const auto& c : cases) {
    setSearchTarget(*m, c.tx, c.ty);
    for (int k = 1; k <= 4; ++k) {
      m->searchX[k] = kUnitSquare.x[k];
      m->searchY[k] = kUnitSquare.y[k];
    }
    m->searchX[5] = m->searchY[5] = 0.5;
    m->hitA = 0;
    m->hitS = m->hitT = 0;
    searchCellInterior(*m, 3, 4, 1);
    ASSERT_EQ(m->hitA == 3, c.hit) << "target " << c.tx << ", " << c.ty;
    EXPECT_TRUE(!c.hit || (m->hitS == c.tx && m->hitT == c.ty)) << c.tx << ", " << c.ty;
  }
}

TEST(CellTest, TargetsOutsideOrTooFarAreRejected) {
  auto m = makeModel();
  EXPECT_FALSE(runCellTest(*m, kUnitSquare, 1.0 + 1e-6, 0.5)) << "s just above 1";
  EXPECT_FALSE(runCellTest(*m, kUnitSquare, 0.5, -1e-6)) << "t just below 0";
  EXPECT_FALSE(runCellTest(*m, kUnitSquare, 0.5, std::numeric_limits<double>::quiet_NaN()));
  // A large cell containing the target, 1.9 + 0.2 from its reference point.
  const Quad big = {{0, -10, 10, 10, -10}, {0, -10, -10, 10, 10}};
  EXPECT_FALSE(runCellTest(*m, big, 1.9, 0.2)) << "skipped by the Manhattan prefilter";
  EXPECT_TRUE(runCellTest(*m, big, 1.7, 0.2));
}

TEST(CellTest, GeneralQuadrilateralsGiveBackTheirLocalCoordinates) {
  // Random convex cells of curvilinear-grid shape (a = 0.5 quadratics) and
  // random interior points: the test must find the point and return its (s, t).
  auto m = makeModel();
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> jitter(-0.3, 0.3), unit(0.02, 0.98);
  for (int n = 0; n < 2000; ++n) {
    Quad q = {{0, 0, 1.5, 1.5, 0}, {0, 0, 0, 1.2, 1.2}};
    for (int k = 1; k <= 4; ++k) {
      q.x[k] += jitter(rng);
      q.y[k] += jitter(rng);
    }
    const double s = unit(rng), t = unit(rng);
    double x, y;
    bilinear(q, s, t, x, y);
    ASSERT_TRUE(runCellTest(*m, q, x, y)) << "case " << n;
    EXPECT_NEAR(m->hitS, s, 1e-9) << "case " << n;
    EXPECT_NEAR(m->hitT, t, 1e-9) << "case " << n;
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
