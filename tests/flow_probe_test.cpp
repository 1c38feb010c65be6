#include "analysis/flow_probe.h"
#include "analysis/recirculation.h"

#include "view_fixtures.h"

#include <gtest/gtest.h>

namespace {

// Two different linear fields, one on each grid, so that a value tells both
// whether the interpolation is exact and which grid it came from.
double mainField(double x, double y) {
  return 1.0 + 0.03 * x - 0.07 * y;
}
double bodyField(double x, double y) {
  return -2.0 + 0.11 * x + 0.05 * y;
}

struct LinearFlow {
  std::unique_ptr<Model> m = makeModel();
  LinearFlow() {
    fillSyntheticModel(*m);
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j) {
        const MainPoint& q = m->grids.mainGrid[i][j];
        FlowPoint& f = m->solution.mainFlow[i][j];
        f[slot::rho] = f[slot::pres] = f[slot::omega] = f[slot::u] =
            mainField(q.mainGridX, q.mainGridY);
      }
    for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r) {
        const AuxPoint& q = m->grids.bodyGrid[p][r][1];
        FlowPoint& f = m->solution.bodyFlow[p][r][1];
        f[slot::rho] = f[slot::pres] = f[slot::omega] = f[slot::u] =
            bodyField(q.bodyGridX, q.bodyGridY);
      }
  }
  double cx() const { return m->grids.body[1].bodyX; }
};

TEST(FlowProbe, ReproducesALinearFieldExactlyOnTheGridThatSolvesThePoint) {
  LinearFlow flow;
  const double cx = flow.cx();
  // Radius 5 to 11.2 is the body grid (its layers r ≥ 2 reach to about
  // 10.5); beyond it the main grid.  Points off the grid lines.
  struct Case {
    double x, y;
    ProbeGrid grid;
  };
  const Case cases[] = {
      {cx + 6.3, 0.71, ProbeGrid::bodyGrid},  {cx - 2.2, -7.9, ProbeGrid::bodyGrid},
      {cx + 0.4, 9.6, ProbeGrid::bodyGrid},   {3.37, -12.4, ProbeGrid::mainGrid},
      {cx + 13.1, 8.05, ProbeGrid::mainGrid}, {45.6, 17.3, ProbeGrid::mainGrid}};
  for (const Case& c : cases) {
    const auto v =
        probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution, c.x, c.y);
    ASSERT_TRUE(v) << c.x << ", " << c.y;
    EXPECT_EQ(v->grid, c.grid) << c.x << ", " << c.y;
    const double expected =
        c.grid == ProbeGrid::bodyGrid ? bodyField(c.x, c.y) : mainField(c.x, c.y);
    EXPECT_NEAR(v->density, expected, 1e-12) << c.x << ", " << c.y;
    EXPECT_NEAR(v->pressure, expected, 1e-12);
    EXPECT_NEAR(v->vorticity, expected, 1e-12);
    EXPECT_NEAR(v->speed, std::fabs(expected), 1e-12);
  }
}

TEST(FlowProbe, GivesNothingInsideABodyOrAHoleOrOutsideTheChannel) {
  LinearFlow flow;
  const double cx = flow.cx();
  // The hole cutting takes the main grid out inside the body grid's ring.
  for (int i = 1; i <= flow.m->grids.mainNx; ++i)
    for (int j = 1; j <= flow.m->grids.mainNy; ++j)
      flow.m->coupling.mainHoleFlag[i][j] = std::hypot(flow.m->grids.mainGrid[i][j].mainGridX - cx,
                                                       flow.m->grids.mainGrid[i][j].mainGridY) < 8;
  EXPECT_FALSE(
      probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution, cx + 1.0, 0.5))
      << "inside the body";
  EXPECT_FALSE(
      probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution, -3.0, 0.5))
      << "before the inflow";
  EXPECT_FALSE(
      probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution, 10.0, 40.0))
      << "beyond the wall";
  // A main-grid point cut out: the cells around it give no value.
  flow.m->coupling.mainHoleFlag[4][4] = 1;
  const MainPoint& q = flow.m->grids.mainGrid[4][4];
  EXPECT_FALSE(probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution,
                         q.mainGridX - 0.3, q.mainGridY + 0.6));
  EXPECT_TRUE(probeFlow(flow.m->layout, flow.m->grids, flow.m->coupling, flow.m->solution,
                        q.mainGridX + 1.6, q.mainGridY + 0.6));
}

TEST(Recirculation, RunsFromTheRearToWhereTheFlowTurnsDownstreamAgain) {
  // u = x - (rear + L) on both grids: reversed up to L behind the rear of the
  // ring (radius 5), in the body grid or beyond it; a flow running
  // downstream everywhere has none.
  struct Case {
    double length, uAtRear;
  };
  for (const Case c : {Case{3.7, -3.7}, Case{9.1, -9.1}, Case{0, 0.5}}) {
    auto m = syntheticModel();
    m->grids.bodySize[1] = 10;
    const double rear = m->grids.body[1].bodyX + 5;
    const auto u = [&](double x) { return c.uAtRear + x - rear; };
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j)
        m->solution.mainFlow[i][j][slot::u] = u(m->grids.mainGrid[i][j].mainGridX);
    for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r)
        m->solution.bodyFlow[p][r][1][slot::u] = u(m->grids.bodyGrid[p][r][1].bodyGridX);
    const Recirculation found =
        recirculationBehind(m->layout, m->grids, m->coupling, m->solution, 1);
    EXPECT_NEAR(found.length, c.length, 1e-9) << "u at the rear " << c.uAtRear;
    EXPECT_NEAR(found.lengthInSizes, c.length / 10, 1e-10);
  }
}

} // namespace
