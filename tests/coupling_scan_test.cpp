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
#include <vector>

namespace {

// By_L_R1(1, 1), Remove_Pipe_3, By_L_R2 on whatever grids the model holds.
void couple(Model& m, WindowServices& ws, CellScan scan) {
  By_L_R1(m, ws, 1, 1, scan);
  Remove_Pipe_3(m, ws);
  By_L_R2(m, ws, scan);
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

TEST(CouplingLinks, APointInTheDonorLayersOfTwoBodiesGoesToTheLowerNumber) {
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  addCircleBody(*m, 16, 0, 7, 6.2, 33);
  setMainGrid(*m, -24.5, -25, 1.25, 50, 41);
  By_L_R1(*m, ws, 1, 1);
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
