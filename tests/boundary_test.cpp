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
  m->bodyLayers = 10;
  synthetic::ringBody(*m, 20, 16, 3, 6.2, 32);
  setInitialState(*m);
  return m;
}

Link link(int r1, int r2, int r3, int d1, int d2, int d3, double s, double t) {
  return Link{{0, r1, r2, r3}, {0, d1, d2, d3}, s, t};
}

TEST(BoundaryConditions, InitialStateKeepsTheInflowAtTheFreeStream) {
  auto m = channelWithOneBody();
  applyBoundaryConditions(*m);
  for (int j = 1; j <= m->mainNy; ++j) {
    const FlowPoint& f = m->mainFlow[1][j];
    EXPECT_EQ(f[slot::rho], 1.0) << j;
    EXPECT_EQ(f[slot::pres], 1.0) << j;
    EXPECT_EQ(f[slot::u], m->uInf) << j;
    EXPECT_EQ(f[slot::e], 2.5) << j;
  }
}

TEST(BoundaryConditions, InflowPressureIsHeldAtOneTenth) {
  auto m = channelWithOneBody();
  m->mainFlow[1][9][slot::pres] = 0.05;
  m->mainFlow[2][9][slot::pres] = 0.05;
  m->mainFlow[1][10][slot::pres] = 0.2;
  m->mainFlow[2][10][slot::pres] = 0.1;
  applyBoundaryConditions(*m);
  EXPECT_EQ(m->mainFlow[1][9][slot::pres], 0.1);
  EXPECT_EQ(m->mainFlow[1][9][slot::rho], std::pow(0.1, 1 / 1.4));
  EXPECT_DOUBLE_EQ(m->mainFlow[1][10][slot::pres], 0.17);
}

TEST(BoundaryConditions, RightColumnIsAWallWithAnOutletAtPressureOne) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  applyBoundaryConditions(*m);
  const int nx = m->mainNx;
  for (int j = 1; j <= m->mainNy; ++j) {
    const FlowPoint& f = m->mainFlow[nx][j];
    if (j >= m->outletLow && j <= m->outletHigh) {
      const FlowPoint& in = m->mainFlow[nx - 1][j];
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
  applyBoundaryConditions(*m);
  const int ny = m->mainNy;
  for (int i = 1; i <= m->mainNx; ++i) {
    const auto &b1 = m->mainFlow[i][1], &b2 = m->mainFlow[i][2], &b3 = m->mainFlow[i][3];
    EXPECT_EQ(b1[slot::pres], (4 * b2[slot::pres] - b3[slot::pres]) / 3) << i;
    EXPECT_EQ(b1[slot::rho], (4 * b2[slot::rho] - b3[slot::rho]) / 3) << i;
    EXPECT_EQ(b1[slot::e], 2.5 * b1[slot::pres]) << i;
    const auto &t1 = m->mainFlow[i][ny], &t2 = m->mainFlow[i][ny - 1], &t3 = m->mainFlow[i][ny - 2];
    EXPECT_EQ(t1[slot::pres], (4 * t2[slot::pres] - t3[slot::pres]) / 3) << i;
  }
  EXPECT_EQ(m->mainFlow[1][1][slot::u], m->uInf) << "the corner keeps the inflow velocity";
}

TEST(BoundaryConditions, SeamCopiesAgreeAndGhostsEqualTheirPartnersOnBodySurfaces) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  m->bodyFlow[m->bodyFirst[1]][4][1][slot::rho] = 1.2; // the two seam copies disagree
  applyBoundaryConditions(*m);
  const int pF = m->bodyFirst[1], pL = m->bodyLast[1];
  for (int r = 1; r <= m->bodyLayers; ++r)
    for (int k : {slot::rho, slot::u, slot::v, slot::e, slot::pres}) {
      EXPECT_EQ(m->bodyFlow[pF][r][1][k], m->bodyFlow[pL][r][1][k]) << r << " slot " << k;
      EXPECT_EQ(m->bodyFlow[pF - 1][r][1][k], m->bodyFlow[pL - 1][r][1][k]) << r << " slot " << k;
      EXPECT_EQ(m->bodyFlow[pL + 1][r][1][k], m->bodyFlow[pF + 1][r][1][k]) << r << " slot " << k;
    }
  const auto& surface = m->bodyFlow[pF + 5][m->bodyLayers][1];
  const auto& in1 = m->bodyFlow[pF + 5][m->bodyLayers - 1][1];
  const auto& in2 = m->bodyFlow[pF + 5][m->bodyLayers - 2][1];
  EXPECT_EQ(surface[slot::pres], (4 * in1[slot::pres] - in2[slot::pres]) / 3);
  EXPECT_EQ(surface[slot::e], 2.5 * surface[slot::pres]);
}

TEST(LinkedPoints, NoLinksChangeNothing) {
  auto m = channelWithOneBody();
  synthetic::fillFlow(*m, synthetic::wavyState);
  const auto before = std::make_unique<Model>(*m);
  interpolateLinkedPoints(*m);
  EXPECT_EQ(m->mainFlow, before->mainFlow);
  EXPECT_EQ(m->bodyFlow, before->bodyFlow);
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
  const int pF = m->bodyFirst[1];
  // The two receivers are all that interpolateLinkedPoints writes; each case starts from them.
  const FlowPoint mainReceiver = m->mainFlow[20][16], bodyReceiver = m->bodyFlow[pF + 7][1][1];
  for (const auto& c : kCorners) {
    m->mainFlow[20][16] = mainReceiver;
    m->bodyFlow[pF + 7][1][1] = bodyReceiver;
    m->mainFromBodyCount = 1;
    storeListEntry(m->mainFromBody, 1, link(20, 16, 1, pF + 3, 8, 1, c.s, c.t));
    m->bodyFromMainCount = 1;
    storeListEntry(m->bodyFromMain, 1, link(pF + 7, 1, 1, 11, 5, 1, c.s, c.t));
    m->bodyFromBodyCount = 0;
    interpolateLinkedPoints(*m);

    const int dp[] = {0, 0, 1, 1, 0}, dr[] = {0, 0, 0, 1, 1};
    const FlowPoint& bodyCorner = m->bodyFlow[pF + 3 + dp[c.corner]][8 + dr[c.corner]][1];
    const FlowPoint& mainCorner = m->mainFlow[11 + dp[c.corner]][5 + dr[c.corner]];
    const FlowPoint& toMain = m->mainFlow[20][16];
    const FlowPoint& toBody = m->bodyFlow[pF + 7][1][1];
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
  const int pF = m->bodyFirst[1];
  m->mainFromBodyCount = 1;
  storeListEntry(m->mainFromBody, 1, link(11, 6, 1, pF + 2, 8, 1, 0.25, 0.5));
  m->bodyFromMainCount = 1;
  storeListEntry(m->bodyFromMain, 1, link(pF + 9, 1, 1, 10, 5, 1, 0.75, 0.5));
  const auto before = std::make_unique<Model>(*m);
  interpolateLinkedPoints(*m);

  const auto& w = before->bodyFlow;
  const double rhoLinked = 0.375 * w[pF + 2][8][1][slot::rho] + 0.125 * w[pF + 3][8][1][slot::rho] +
                           0.125 * w[pF + 3][9][1][slot::rho] + 0.375 * w[pF + 2][9][1][slot::rho];
  EXPECT_NEAR(m->mainFlow[11][6][slot::rho], rhoLinked, 1e-15);
  const auto& r = before->mainFlow;
  const double rhoSecond = 0.125 * r[10][5][slot::rho] + 0.375 * r[11][5][slot::rho] +
                           0.375 * rhoLinked + 0.125 * r[10][6][slot::rho];
  EXPECT_NEAR(m->bodyFlow[pF + 9][1][1][slot::rho], rhoSecond, 1e-15);
  EXPECT_GT(std::fabs(rhoLinked - r[11][6][slot::rho]), 1e-6) << "the link did change the point";
}

} // namespace
