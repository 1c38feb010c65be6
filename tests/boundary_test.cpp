// Boundary conditions of the channel and the bodies, and the transfer
// between the grids.
#include "coupling/boundary.h"
#include "solver/initial_state.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::unique_ptr<Model> channelWithOneBody() {
  auto m = makeModel();
  synthetic::mainGrid(*m, 40, 27);
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 20, 16, 3, 6.2, 32);
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  return m;
}

Link link(int r1, int r2, int r3, int d1, int d2, int d3, double s, double t) {
  return Link{{0, r1, r2, r3}, {0, d1, d2, d3}, s, t};
}

TEST(BoundaryConditions, InitialStateKeepsTheInflowAtTheFreeStream) {
  auto m = channelWithOneBody();
  applyBoundaryConditions(m->layout, m->constants, m->grids, m->coupling, m->solution);
  for (int j = 1; j <= m->grids.mainNy; ++j) {
    const FlowPoint& f = m->solution.mainFlow[1][j];
    EXPECT_EQ(f[slot::rho], 1.0) << j;
    EXPECT_EQ(f[slot::pres], 1.0) << j;
    EXPECT_EQ(f[slot::u], m->constants.uInf) << j;
    EXPECT_EQ(f[slot::e], 2.5) << j;
  }
}

TEST(BoundaryConditions, InflowPressureIsHeldAtOneTenth) {
  auto m = channelWithOneBody();
  m->solution.mainFlow[1][9][slot::pres] = 0.05;
  m->solution.mainFlow[2][9][slot::pres] = 0.05;
  m->solution.mainFlow[1][10][slot::pres] = 0.2;
  m->solution.mainFlow[2][10][slot::pres] = 0.1;
  applyBoundaryConditions(m->layout, m->constants, m->grids, m->coupling, m->solution);
  EXPECT_EQ(m->solution.mainFlow[1][9][slot::pres], 0.1);
  EXPECT_EQ(m->solution.mainFlow[1][9][slot::rho], std::pow(0.1, 1 / 1.4));
  EXPECT_DOUBLE_EQ(m->solution.mainFlow[1][10][slot::pres], 0.17);
}

TEST(BoundaryConditions, RightColumnIsAWallWithAnOutletAtPressureOne) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  applyBoundaryConditions(m->layout, m->constants, m->grids, m->coupling, m->solution);
  const int nx = m->grids.mainNx;
  for (int j = 1; j <= m->grids.mainNy; ++j) {
    const FlowPoint& f = m->solution.mainFlow[nx][j];
    if (j >= m->grids.outletLow && j <= m->grids.outletHigh) {
      const FlowPoint& in = m->solution.mainFlow[nx - 1][j];
      EXPECT_EQ(f[slot::pres], 1.0) << j;
      EXPECT_EQ(f[slot::u], in[slot::u]) << j;
      EXPECT_EQ(f[slot::v], in[slot::v]) << j;
      // Same entropy as the interior point.
      EXPECT_NEAR(1 / std::pow(f[slot::rho], 1.4), in[slot::pres] / std::pow(in[slot::rho], 1.4),
                  1e-14);
      EXPECT_EQ(f[slot::e], energyOf(f[slot::rho], f[slot::u], f[slot::v], 1.0));
    } else {
      EXPECT_EQ(f[slot::e], 2.5 * f[slot::pres]) << j;
    }
  }
}

TEST(BoundaryConditions, WallsExtrapolateWithZeroNormalGradientAndTheCornerIsAWallPoint) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  applyBoundaryConditions(m->layout, m->constants, m->grids, m->coupling, m->solution);
  const int ny = m->grids.mainNy;
  for (int i = 1; i <= m->grids.mainNx; ++i) {
    const auto &b1 = m->solution.mainFlow[i][1], &b2 = m->solution.mainFlow[i][2],
               &b3 = m->solution.mainFlow[i][3];
    EXPECT_EQ(b1[slot::pres], (4 * b2[slot::pres] - b3[slot::pres]) / 3) << i;
    EXPECT_EQ(b1[slot::rho], (4 * b2[slot::rho] - b3[slot::rho]) / 3) << i;
    EXPECT_EQ(b1[slot::e], 2.5 * b1[slot::pres]) << i;
    const auto &t1 = m->solution.mainFlow[i][ny], &t2 = m->solution.mainFlow[i][ny - 1],
               &t3 = m->solution.mainFlow[i][ny - 2];
    EXPECT_EQ(t1[slot::pres], (4 * t2[slot::pres] - t3[slot::pres]) / 3) << i;
  }
  EXPECT_EQ(m->solution.mainFlow[1][1][slot::u], m->constants.uInf)
      << "the corner keeps the inflow velocity";
}

TEST(BoundaryConditions, SeamCopiesAgreeAndGhostsEqualTheirPartnersOnBodySurfaces) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  m->solution.bodyFlow[m->grids.bodyFirst[1]][4][1][slot::rho] =
      1.2; // the two seam copies disagree
  applyBoundaryConditions(m->layout, m->constants, m->grids, m->coupling, m->solution);
  const int pF = m->grids.bodyFirst[1], pL = m->grids.bodyLast[1];
  for (int r = 1; r <= m->layout.bodyLayers; ++r)
    for (int k : {slot::rho, slot::u, slot::v, slot::e, slot::pres}) {
      EXPECT_EQ(m->solution.bodyFlow[pF][r][1][k], m->solution.bodyFlow[pL][r][1][k])
          << r << " slot " << k;
      EXPECT_EQ(m->solution.bodyFlow[pF - 1][r][1][k], m->solution.bodyFlow[pL - 1][r][1][k])
          << r << " slot " << k;
      EXPECT_EQ(m->solution.bodyFlow[pL + 1][r][1][k], m->solution.bodyFlow[pF + 1][r][1][k])
          << r << " slot " << k;
    }
  const auto& surface = m->solution.bodyFlow[pF + 5][m->layout.bodyLayers][1];
  const auto& in1 = m->solution.bodyFlow[pF + 5][m->layout.bodyLayers - 1][1];
  const auto& in2 = m->solution.bodyFlow[pF + 5][m->layout.bodyLayers - 2][1];
  EXPECT_EQ(surface[slot::pres], (4 * in1[slot::pres] - in2[slot::pres]) / 3);
  EXPECT_EQ(surface[slot::e], 2.5 * surface[slot::pres]);
}

TEST(LinkedPoints, NoLinksChangeNothing) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  const auto before = std::make_unique<Model>(*m);
  interpolateLinkedPoints(m->coupling, m->solution);
  EXPECT_EQ(m->solution.mainFlow, before->solution.mainFlow);
  EXPECT_EQ(m->solution.bodyFlow, before->solution.bodyFlow);
}

struct CornerCase {
  const char* name;
  double s, t;
  int corner; // 1..4: the donor corner the receiver must equal
};

const CornerCase kCorners[] = {
    {"s = t = 0", 0, 0, 1},
    {"s = 1, t = 0", 1, 0, 2},
    {"s = t = 1", 1, 1, 3},
    {"s = 0, t = 1", 0, 1, 4},
};

TEST(LinkedPoints, LinksAtCellCornersCopyThatCornerAndRefreshTheEnergy) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  const int pF = m->grids.bodyFirst[1];
  // The two receivers are all that interpolateLinkedPoints writes; each case starts from them.
  const FlowPoint mainReceiver = m->solution.mainFlow[20][16],
                  bodyReceiver = m->solution.bodyFlow[pF + 7][1][1];
  for (const auto& c : kCorners) {
    m->solution.mainFlow[20][16] = mainReceiver;
    m->solution.bodyFlow[pF + 7][1][1] = bodyReceiver;
    m->coupling.mainFromBodyCount = 1;
    storeListEntry(m->coupling.mainFromBody, 1, link(20, 16, 1, pF + 3, 8, 1, c.s, c.t));
    m->coupling.bodyFromMainCount = 1;
    storeListEntry(m->coupling.bodyFromMain, 1, link(pF + 7, 1, 1, 11, 5, 1, c.s, c.t));
    m->coupling.bodyFromBodyCount = 0;
    interpolateLinkedPoints(m->coupling, m->solution);

    const int dp[] = {0, 0, 1, 1, 0}, dr[] = {0, 0, 0, 1, 1};
    const FlowPoint& bodyCorner = m->solution.bodyFlow[pF + 3 + dp[c.corner]][8 + dr[c.corner]][1];
    const FlowPoint& mainCorner = m->solution.mainFlow[11 + dp[c.corner]][5 + dr[c.corner]];
    const FlowPoint& toMain = m->solution.mainFlow[20][16];
    const FlowPoint& toBody = m->solution.bodyFlow[pF + 7][1][1];
    for (int k : {slot::rho, slot::u, slot::v, slot::pres}) {
      EXPECT_EQ(toMain[k], bodyCorner[k]) << c.name << " slot " << k;
      EXPECT_EQ(toBody[k], mainCorner[k]) << c.name << " slot " << k;
    }
    EXPECT_EQ(toMain[slot::e],
              energyOf(toMain[slot::rho], toMain[slot::u], toMain[slot::v], toMain[slot::pres]));
    EXPECT_EQ(toBody[slot::e],
              energyOf(toBody[slot::rho], toBody[slot::u], toBody[slot::v], toBody[slot::pres]));
  }
}

TEST(LinkedPoints, BilinearWeightsAndListOrder) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  // Link 1 writes main point (11, 6); link 2 of the next list reads the cell
  // (10, 5) whose corner 3 is that point, so it sees the new value.
  const int pF = m->grids.bodyFirst[1];
  m->coupling.mainFromBodyCount = 1;
  storeListEntry(m->coupling.mainFromBody, 1, link(11, 6, 1, pF + 2, 8, 1, 0.25, 0.5));
  m->coupling.bodyFromMainCount = 1;
  storeListEntry(m->coupling.bodyFromMain, 1, link(pF + 9, 1, 1, 10, 5, 1, 0.75, 0.5));
  const auto before = std::make_unique<Model>(*m);
  interpolateLinkedPoints(m->coupling, m->solution);

  const auto& w = before->solution.bodyFlow;
  const double rhoLinked = 0.375 * w[pF + 2][8][1][slot::rho] + 0.125 * w[pF + 3][8][1][slot::rho] +
                           0.125 * w[pF + 3][9][1][slot::rho] + 0.375 * w[pF + 2][9][1][slot::rho];
  EXPECT_NEAR(m->solution.mainFlow[11][6][slot::rho], rhoLinked, 1e-15);
  const auto& r = before->solution.mainFlow;
  const double rhoSecond = 0.125 * r[10][5][slot::rho] + 0.375 * r[11][5][slot::rho] +
                           0.375 * rhoLinked + 0.125 * r[10][6][slot::rho];
  EXPECT_NEAR(m->solution.bodyFlow[pF + 9][1][1][slot::rho], rhoSecond, 1e-15);
  EXPECT_GT(std::fabs(rhoLinked - r[11][6][slot::rho]), 1e-6) << "the link did change the point";
}

} // namespace
