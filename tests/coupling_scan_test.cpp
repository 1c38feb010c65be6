// The link scans and hole cutting on synthetic grids written into the model.
#include "coupling/cell_search.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/outer_edge_links.h"

#include "coupling_checks.h"
#include "coupling_grids.h"
#include "fake_window_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// By_L_R1(1, 1), Remove_Pipe_3, By_L_R2 on whatever grids the model holds.
void couple(Model& m, WindowServices& ws, CellScan scan) {
  By_L_R1(m, ws, 1, 1, scan);
  Remove_Pipe_3(m, ws);
  By_L_R2(m, ws, scan);
}

// Main-grid points that a 4-neighbour walk from the border reaches without
// stepping on a ryFromWk receiver.
std::vector<std::vector<bool>> reachableFromBorder(const Model& m) {
  std::vector<std::vector<bool>> wall(m.ryNx + 2, std::vector<bool>(m.ryNy + 2, false));
  for (int k = 1; k <= m.ryFromWkCount; ++k)
    wall[m.ryFromWk[k].receiver[1]][m.ryFromWk[k].receiver[2]] = true;
  std::vector<std::vector<bool>> seen(m.ryNx + 2, std::vector<bool>(m.ryNy + 2, false));
  std::vector<GridIndex> todo;
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j)
      if ((i == 1 || j == 1 || i == m.ryNx || j == m.ryNy) && !wall[i][j]) {
        seen[i][j] = true;
        todo.push_back({i, j});
      }
  while (!todo.empty()) {
    const GridIndex q = todo.back();
    todo.pop_back();
    const GridIndex next[4] = {{q.i - 1, q.j}, {q.i + 1, q.j}, {q.i, q.j - 1}, {q.i, q.j + 1}};
    for (const GridIndex& n : next)
      if (n.i >= 1 && n.i <= m.ryNx && n.j >= 1 && n.j <= m.ryNy && !wall[n.i][n.j] &&
          !seen[n.i][n.j]) {
        seen[n.i][n.j] = true;
        todo.push_back(n);
      }
  }
  return seen;
}

class SingleCircle : public ::testing::Test {
protected:
  void SetUp() override {
    addCircleBody(*m, 0.3, -0.2, 7, 6.2, 33);
    setMainGrid(*m, -30, -25, 1.25, 49, 41);
  }
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
};

} // namespace

TEST_F(SingleCircle, LinksReproduceTheirReceivers) {
  couple(*m, ws, CellScan::plain);
  EXPECT_GT(m->ryFromWkCount, 50);
  EXPECT_EQ(m->wkFromWkCount, 0);
  EXPECT_EQ(m->wkFromRyCount, 34) << "every outer-edge point, both seam copies included";
  expectLinksReproduceReceivers(*m, "single circle");
  // The two copies of the seam point get the same donor.
  EXPECT_EQ(m->wkFromRy[1].donor, m->wkFromRy[34].donor);
  EXPECT_TRUE(ws.messages().empty());
}

TEST_F(SingleCircle, BucketedScanGivesThePlainScansLinks) {
  auto plain = makeModel();
  *plain = *m;
  couple(*plain, ws, CellScan::plain);
  couple(*m, ws, CellScan::bucketed);
  expectSameLinks(*plain, *m, "single circle");
}

TEST_F(SingleCircle, HolesAreTheRegionEnclosedByTheReceiverRing) {
  couple(*m, ws, CellScan::plain);
  const auto outside = reachableFromBorder(*m);
  int listed = 0;
  for (int i = 1; i <= m->ryNx; ++i)
    for (int j = 1; j <= m->ryNy; ++j) {
      const bool hole = m->ryHoleFlag[i][j] == 1;
      EXPECT_EQ(hole, !outside[i][j]) << "point (" << i << ", " << j << ")";
      const double marker = m->ryFlow[i][j][8];
      EXPECT_TRUE(hole ? marker == 1.0 : marker < 1.0) << "marker at (" << i << ", " << j << ")";
      if (hole) {
        ++listed;
        ASSERT_LE(listed, m->ryBlankCount);
        EXPECT_EQ(m->ryBlankList[listed].i, i) << "list order: i, then j";
        EXPECT_EQ(m->ryBlankList[listed].j, j);
      }
      const bool inner = i > 1 && j > 1 && i < m->ryNx && j < m->ryNy &&
                         m->ryHoleFlag[i - 1][j] && m->ryHoleFlag[i + 1][j] &&
                         m->ryHoleFlag[i][j - 1] && m->ryHoleFlag[i][j + 1];
      EXPECT_EQ(m->ryFlow[i][j][9], inner ? 1.0 : 0.0) << "inner mark at (" << i << ", " << j << ")";
    }
  EXPECT_EQ(listed, m->ryBlankCount);
  EXPECT_GT(listed, 60) << "the inside of a circle of diameter 14";
}

TEST_F(SingleCircle, ProgressAndMessageProcessing) {
  couple(*m, ws, CellScan::bucketed);
  std::vector<std::pair<int, int>> ranges;
  for (const auto& c : ws.calls)
    if (c.what == "range") ranges.push_back({c.a, c.b});
  const std::vector<std::pair<int, int>> expected = {{1, 49}, {1, 300}, {1, 1}};
  EXPECT_EQ(ranges, expected) << "By_L_R1 over i, the sweeps, By_L_R2 over bodies";
  EXPECT_EQ(ws.processCount, 49 * 41 + 34) << "once per receiver";
}

TEST_F(SingleCircle, StopDuringTheMainGridScanKeepsTheLinksFoundSoFar) {
  auto full = makeModel();
  *full = *m;
  By_L_R1(*full, ws, 1, 1, CellScan::plain);
  FakeWindowServices stopping;
  stopping.onProcess = [&] {
    if (stopping.processCount == 1000) m->stopFlag = true;
  };
  By_L_R1(*m, stopping, 1, 1, CellScan::bucketed);
  int expected = 0;
  for (int k = 1; k <= full->ryFromWkCount; ++k)
    if ((full->ryFromWk[k].receiver[1] - 1) * 41 + full->ryFromWk[k].receiver[2] < 1000) ++expected;
  EXPECT_GT(expected, 0);
  EXPECT_EQ(m->ryFromWkCount, expected);
  EXPECT_EQ(stopping.processCount, 1000);
  EXPECT_TRUE(stopping.messages().empty());

  // With the stop flag up, the hole cutting does nothing and By_L_R2 ends at
  // its first receiver, storing empty lists.
  m->ryHoleFlag[5][5] = 7;
  m->wkFromRyCount = m->wkFromWkCount = 99;
  Remove_Pipe_3(*m, stopping);
  By_L_R2(*m, stopping);
  EXPECT_EQ(m->ryHoleFlag[5][5], 7);
  EXPECT_EQ(m->wkFromRyCount, 0);
  EXPECT_EQ(m->wkFromWkCount, 0);
  EXPECT_EQ(stopping.processCount, 1001);
}

TEST_F(SingleCircle, CellsWhoseCornersAreAllInnerHolesAreNeverDonors) {
  By_L_R1(*m, ws, 1, 1);
  for (int i = 1; i <= m->ryNx; ++i)
    for (int j = 1; j <= m->ryNy; ++j) m->ryFlow[i][j][9] = 1.0;
  m->ryFlow[20][20][9] = 0;
  EXPECT_TRUE(isMainDonorCandidate(*m, 19, 19));
  EXPECT_TRUE(isMainDonorCandidate(*m, 20, 20));
  EXPECT_FALSE(isMainDonorCandidate(*m, 21, 20));
  By_L_R2(*m, ws);
  for (int k = 1; k <= m->wkFromRyCount; ++k) {
    const Link& l = m->wkFromRy[k];
    EXPECT_TRUE(l.donor[1] >= 19 && l.donor[1] <= 20 && l.donor[2] >= 19 && l.donor[2] <= 20);
  }
}

TEST(CouplingLinks, BodiesFarApartAreFedByTheMainGridOnly) {
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  addCircleBody(*m, 40, 5, 4.5, 6.2, 27);
  setMainGrid(*m, -25, -25, 1.25, 65, 45);
  couple(*m, ws, CellScan::plain);
  EXPECT_EQ(m->wkFromWkCount, 0);
  EXPECT_EQ(m->wkFromRyCount, 34 + 28);
  expectLinksReproduceReceivers(*m, "far apart");
}

TEST(CouplingLinks, CloseBodiesFeedEachOthersOuterEdges) {
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  addCircleBody(*m, 16, 0, 7, 6.2, 33);
  setMainGrid(*m, -24.5, -25, 1.25, 50, 41);
  couple(*m, ws, CellScan::plain);
  expectLinksReproduceReceivers(*m, "close bodies");
  EXPECT_EQ(m->wkFromWkCount, 4) << "one point on each side of each outer edge";
  for (int k = 1; k <= m->wkFromWkCount; ++k) {
    const Link& fromAux = m->wkFromWk[k];
    const int ownBody = fromAux.receiver[1] <= m->bodyLast[1] ? 1 : 2;
    const int donorBody = fromAux.donor[1] <= m->bodyLast[1] ? 1 : 2;
    EXPECT_NE(ownBody, donorBody);
    EXPECT_GE(fromAux.donor[2], 5);
    EXPECT_LE(fromAux.donor[2], 9);
    for (int n = 1; n <= m->wkFromRyCount; ++n)
      EXPECT_NE(m->wkFromRy[n].receiver[1], fromAux.receiver[1]) << "linked twice";
  }
  // A main-grid point inside the donor layers of both bodies goes to body 1:
  // (8, 0) and (8, ±1.25) lie 8 to 8.1 from both centres, inside layers 7..10.
  int shared = 0;
  for (int k = 1; k <= m->ryFromWkCount; ++k) {
    const Link& l = m->ryFromWk[k];
    const MainPoint& q = m->ry[l.receiver[1]][l.receiver[2]];
    if (q.ryX > 7.9 && q.ryX < 8.1 && std::abs(q.ryY) < 1.3) {
      ++shared;
      EXPECT_EQ(l.receiver[3], 1) << "at (" << q.ryX << ", " << q.ryY << ")";
    }
  }
  EXPECT_EQ(shared, 3);
  auto bucketed = makeModel();
  *bucketed = *m;
  couple(*bucketed, ws, CellScan::bucketed);
  expectSameLinks(*m, *bucketed, "close bodies");
}

TEST(CouplingLinks, BucketedScanMatchesPlainScanOnRandomCircles) {
  std::mt19937 rng(2024);
  std::uniform_real_distribution<double> pos(-20, 20), radius(2, 9);
  std::uniform_int_distribution<int> bodies(1, 6), intervals(20, 45);
  for (int n = 0; n < 12; ++n) {
    auto plain = makeModel();
    const int count = bodies(rng);
    for (int b = 1; b <= count; ++b)
      addCircleBody(*plain, pos(rng), pos(rng), radius(rng), 6.2, intervals(rng));
    setMainGrid(*plain, -40 + pos(rng) / 7, -40 + pos(rng) / 7, 1.25, 66, 66);
    auto bucketed = makeModel();
    *bucketed = *plain;
    FakeWindowServices ws;
    couple(*plain, ws, CellScan::plain);
    couple(*bucketed, ws, CellScan::bucketed);
    expectSameLinks(*plain, *bucketed, "random circles " + std::to_string(n));
    expectLinksReproduceReceivers(*plain, "random circles " + std::to_string(n));
  }
}

TEST(CouplingLinks, The9724thMainGridLinkStopsTheScan) {
  // A fine main grid (spacing 0.1) puts more than 9723 points into the three
  // donor layers of one circle.
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 60);
  setMainGrid(*m, -10.5, -10.5, 0.1, 211, 211);
  m->ryFromWkCount = 17;
  By_L_R1(*m, ws, 1, 1);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0], "  モデル規模が大き過ぎです。R-1" + std::to_string(9724));
  EXPECT_TRUE(m->stopFlag);
  EXPECT_EQ(m->ryFromWkCount, 17) << "the count is left as it was";
  EXPECT_LT(ws.processCount, 211 * 211) << "the scan ends at the 9724th link";
  // The last stored link is a real one.
  m->ryFromWkCount = kMainLinkCapacity;
  expectLinksReproduceReceivers(*m, "full list");
}

TEST(CouplingLinks, TooManyLinksBetweenAuxiliaryGrids) {
  // Body 1's outer edge (radius 13.2) lies in layers 5..9 of the larger
  // concentric body 2 (radii 11 to 14.4): all 721 points link to body 2.
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 720);
  addCircleBody(*m, 0, 0, 11, 6.2, 50);
  setMainGrid(*m, -25, -25, 1.25, 41, 41);
  m->wkFromWkCount = 3;
  By_L_R2(*m, ws);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(ws.messages()[0], "  モデル規模が大き過ぎです。R-22 721");
  EXPECT_TRUE(m->stopFlag);
  EXPECT_EQ(m->wkFromWkCount, 3) << "the count is left as it was";
  EXPECT_EQ(m->wkFromRyCount, 51) << "body 2's outer edge, from the main grid";
  EXPECT_EQ(m->wkFromWk[kAuxLinkCapacity].receiver[1], m->bodyFirst[1] + kAuxLinkCapacity - 1);
}
