#include "coupling/metrics.h"

#include "coupling_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// One block p = 2..6 (ghosts 1 and 7), layers 1..3, with x = f(p), y = g(r).
void setBlock(Model& m, double (*x)(int), double (*y)(int)) {
  m.layout.bodyLayers = 3;
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch, 7);
  for (int p = 1; p <= 7; ++p)
    for (int r = 1; r <= 3; ++r) {
      m.grids.bodyGrid[p][r][1].bodyGridX = x(p);
      m.grids.bodyGrid[p][r][1].bodyGridY = y(r);
    }
}

// The messages of the degenerate points found, in order.
std::vector<std::string> texts(const std::vector<SetupProblem>& problems) {
  std::vector<std::string> out;
  for (const SetupProblem& p : problems) out.push_back(problemText(p, Language::japanese));
  return out;
}

} // namespace

TEST(Metrics, CircleJacobianHasOneSignAndAgreesAcrossTheSeam) {
  auto m = makeModel();
  const int b = addCircleBody(*m, 0, 0, 7, 6.2, 33);
  EXPECT_TRUE(computeMetrics(m->layout, m->grids).empty());
  const int first = m->grids.bodyFirst[b], last = m->grids.bodyLast[b];
  const double sign = std::copysign(1.0, m->grids.bodyMetric[first][1][1][metric::jac]);
  for (int p = first; p <= last; ++p)
    for (int r = 1; r <= 10; ++r)
      EXPECT_GT(sign * m->grids.bodyMetric[p][r][1][metric::jac], 0) << "p " << p << " r " << r;
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(m->grids.bodyMetric[first][r][1], m->grids.bodyMetric[last][r][1])
        << "seam point, layer " << r;
    EXPECT_EQ(m->grids.bodyMetric[first - 1][r][1], m->grids.bodyMetric[last - 1][r][1])
        << "ghost, layer " << r;
    EXPECT_EQ(m->grids.bodyMetric[last + 1][r][1], m->grids.bodyMetric[first + 1][r][1])
        << "ghost, layer " << r;
    EXPECT_EQ(m->grids.bodySoundLength[first - 1][r][1], m->grids.bodySoundLength[last - 1][r][1]);
    EXPECT_EQ(m->grids.bodySoundLength[last + 1][r][1], m->grids.bodySoundLength[first + 1][r][1]);
  }
}

TEST(Metrics, OneSidedLayerDifferencesAreExactForAQuadraticMapping) {
  // x = 1.6 p, y = r²: ∂x/∂ξ = 1.6 and ∂y/∂η = 2r, divided by 16.
  auto m = makeModel();
  setBlock(
      *m, [](int p) { return 1.6 * p; }, [](int r) { return double(r * r); });
  computeBodyMetrics(m->grids, 2, 6, 1, 3, 1);
  for (int r = 1; r <= 3; ++r) {
    const auto& g = m->grids.bodyMetric[4][r][1];
    EXPECT_DOUBLE_EQ(g[metric::xXi], 0.1);
    EXPECT_EQ(g[metric::yXi], 0);
    EXPECT_NEAR(g[metric::xEta], 0, 1e-15);
    EXPECT_EQ(g[metric::yEta], 2.0 * r / 16) << "layer " << r;
    EXPECT_DOUBLE_EQ(g[metric::jac], 0.1 * 2.0 * r / 16);
    EXPECT_DOUBLE_EQ(m->grids.bodySoundLength[4][r][1][1], std::sqrt(1.4 * 0.01));
    EXPECT_DOUBLE_EQ(m->grids.bodySoundLength[4][r][1][2], std::sqrt(1.4) * 2.0 * r / 16);
  }
}

TEST(Metrics, DoublingTheGridDoublesDerivativesAndQuadruplesTheJacobian) {
  auto a = makeModel(), b = makeModel();
  addCircleBody(*a, 3, -2, 5, 6.2, 29);
  addCircleBody(*b, 6, -4, 10, 12.4, 29);
  computeMetrics(a->layout, a->grids);
  computeMetrics(b->layout, b->grids);
  for (int p = a->grids.bodyFirst[1] - 1; p <= a->grids.bodyLast[1] + 1; ++p)
    for (int r = 1; r <= 10; ++r) {
      for (int k = 1; k <= 4; ++k)
        EXPECT_DOUBLE_EQ(b->grids.bodyMetric[p][r][1][k], 2 * a->grids.bodyMetric[p][r][1][k]);
      EXPECT_DOUBLE_EQ(b->grids.bodyMetric[p][r][1][metric::jac],
                       4 * a->grids.bodyMetric[p][r][1][metric::jac]);
      EXPECT_DOUBLE_EQ(b->grids.bodySoundLength[p][r][1][2],
                       2 * a->grids.bodySoundLength[p][r][1][2]);
    }
}

TEST(Metrics, DegenerateCellShowsOneMessagePerPointAndGetsJacobianOne) {
  auto m = makeModel();
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  // Layers 4 and 6 of column 10 coincide: ∂/∂η vanishes at (10, 5).
  m->grids.bodyGrid[10][6][1] = m->grids.bodyGrid[10][4][1];
  EXPECT_EQ(texts(computeMetrics(m->layout, m->grids)),
            std::vector<std::string>{"Metric_Yaco2--10-5-1-0"});
  EXPECT_EQ(m->grids.bodyMetric[10][5][1][metric::jac], 1);
  EXPECT_NE(m->grids.bodyMetric[11][5][1][metric::jac], 1);
}

TEST(Metrics, TinyJacobiansAreReportedInPointOrderWithFifteenDigits) {
  // Spacing 2^-14 in both directions: jac = (2^-14 / 16)^2 = 2^-36 everywhere.
  auto m = makeModel();
  setBlock(
      *m, [](int p) { return std::ldexp(p, -14); }, [](int r) { return std::ldexp(r, -14); });
  const std::vector<SetupProblem> found = computeBodyMetrics(m->grids, 2, 3, 1, 3, 1);
  const std::vector<std::string> expected = {
      "Metric_Yaco2--2-1-1-1.45519152283669e-11", "Metric_Yaco2--2-2-1-1.45519152283669e-11",
      "Metric_Yaco2--2-3-1-1.45519152283669e-11", "Metric_Yaco2--3-1-1-1.45519152283669e-11",
      "Metric_Yaco2--3-2-1-1.45519152283669e-11", "Metric_Yaco2--3-3-1-1.45519152283669e-11"};
  EXPECT_EQ(texts(found), expected);
  using Kind = SetupProblem::Kind;
  EXPECT_EQ(
      texts({{Kind::degenerateCell, {12, 3, 1}, -0.0},
             {Kind::degenerateCell, {1775, 10, 1}, -2.5e-10}}),
      (std::vector<std::string>{"Metric_Yaco2--12-3-1-0", "Metric_Yaco2--1775-10-1--2.5e-10"}));
}

TEST(Metrics, JacobianThatIsNotANumberBecomesOneSilently) {
  auto m = makeModel();
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  m->grids.bodyGrid[10][5][1].bodyGridX = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(computeMetrics(m->layout, m->grids).empty());
  EXPECT_EQ(m->grids.bodyMetric[10][4][1][metric::jac], 1) << "NaN neighbour across the layers";
  EXPECT_EQ(m->grids.bodyMetric[11][5][1][metric::jac], 1) << "NaN neighbour along the ring";
}
