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

// findMainGridLinks(1, 1), cutHoles, findOuterEdgeLinks on whatever grids the model holds.
void couple(Model& m, WindowServices& ws, CellScan scan) {
  findMainGridLinks(m, ws, 1, 1, scan);
  cutHoles(m, ws);
  findOuterEdgeLinks(m, ws, scan);
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
  EXPECT_EQ(ranges, expected) << "main-grid links over i, the sweeps, outer-edge links over bodies";
  EXPECT_EQ(ws.processCount, 49 * 41 + 34) << "once per receiver";
}

TEST_F(SingleCircle, StopDuringTheMainGridScanKeepsTheLinksFoundSoFar) {
  auto full = makeModel();
  *full = *m;
  findMainGridLinks(*full, ws, 1, 1, CellScan::plain);
  FakeWindowServices stopping;
  stopping.onProcess = [&] {
    if (stopping.processCount == 1000) m->run.stopFlag = true;
  };
  findMainGridLinks(*m, stopping, 1, 1, CellScan::bucketed);
  int expected = 0;
  for (int k = 1; k <= full->coupling.mainFromBodyCount; ++k)
    if ((full->coupling.mainFromBody[k].receiver[1] - 1) * 41 +
            full->coupling.mainFromBody[k].receiver[2] <
        1000)
      ++expected;
  EXPECT_GT(expected, 0);
  EXPECT_EQ(m->coupling.mainFromBodyCount, expected);
  EXPECT_EQ(stopping.processCount, 1000);
  EXPECT_TRUE(stopping.messages().empty());

  // With the stop flag up, the hole cutting does nothing and findOuterEdgeLinks ends at
  // its first receiver, storing empty lists.
  m->coupling.mainHoleFlag[5][5] = 7;
  m->coupling.bodyFromMainCount = m->coupling.bodyFromBodyCount = 99;
  cutHoles(*m, stopping);
  findOuterEdgeLinks(*m, stopping);
  EXPECT_EQ(m->coupling.mainHoleFlag[5][5], 7);
  EXPECT_EQ(m->coupling.bodyFromMainCount, 0);
  EXPECT_EQ(m->coupling.bodyFromBodyCount, 0);
  EXPECT_EQ(stopping.processCount, 1001);
}

TEST_F(SingleCircle, CellsWhoseCornersAreAllInnerHolesAreNeverDonors) {
  findMainGridLinks(*m, ws, 1, 1);
  for (int i = 1; i <= m->grids.mainNx; ++i)
    for (int j = 1; j <= m->grids.mainNy; ++j) m->solution.mainFlow[i][j][9] = 1.0;
  m->solution.mainFlow[20][20][9] = 0;
  EXPECT_TRUE(isMainDonorCandidate(m->solution, 19, 19));
  EXPECT_TRUE(isMainDonorCandidate(m->solution, 20, 20));
  EXPECT_FALSE(isMainDonorCandidate(m->solution, 21, 20));
  findOuterEdgeLinks(*m, ws);
  for (int k = 1; k <= m->coupling.bodyFromMainCount; ++k) {
    const Link& l = m->coupling.bodyFromMain[k];
    EXPECT_TRUE(l.donor[1] >= 19 && l.donor[1] <= 20 && l.donor[2] >= 19 && l.donor[2] <= 20);
  }
}

TEST(CouplingLinks, APointInTheDonorLayersOfTwoBodiesGoesToTheLowerNumber) {
  auto m = makeModel();
  FakeWindowServices ws;
  addCircleBody(*m, 0, 0, 7, 6.2, 33);
  addCircleBody(*m, 16, 0, 7, 6.2, 33);
  setMainGrid(*m, -24.5, -25, 1.25, 50, 41);
  findMainGridLinks(*m, ws, 1, 1);
  // A main-grid point inside the donor layers of both bodies goes to body 1:
  // (8, 0) and (8, ±1.25) lie 8 to 8.1 from both centres, inside layers 7..10.
  int shared = 0;
  for (int k = 1; k <= m->coupling.mainFromBodyCount; ++k) {
    const Link& l = m->coupling.mainFromBody[k];
    const MainPoint& q = m->grids.mainGrid[l.receiver[1]][l.receiver[2]];
    if (q.mainGridX > 7.9 && q.mainGridX < 8.1 && std::abs(q.mainGridY) < 1.3) {
      ++shared;
      EXPECT_EQ(l.receiver[3], 1) << "at (" << q.mainGridX << ", " << q.mainGridY << ")";
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
  m->coupling.mainFromBodyCount = 17;
  const std::optional<SetupProblem> problem = findMainGridLinks(*m, ws, 1, 1);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problemText(*problem, Language::japanese),
            "  モデル規模が大き過ぎです。R-1" + std::to_string(9724));
  EXPECT_TRUE(m->run.stopFlag);
  EXPECT_EQ(m->coupling.mainFromBodyCount, 17) << "the count is left as it was";
  EXPECT_LT(ws.processCount, 211 * 211) << "the scan ends at the 9724th link";
  // The last stored link is a real one.
  m->coupling.mainFromBodyCount = kMainLinkCapacity;
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
  m->coupling.bodyFromBodyCount = 3;
  const std::vector<SetupProblem> problems = findOuterEdgeLinks(*m, ws);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problemText(problems[0], Language::japanese), "  モデル規模が大き過ぎです。R-22 721");
  EXPECT_TRUE(m->run.stopFlag);
  EXPECT_EQ(m->coupling.bodyFromBodyCount, 3) << "the count is left as it was";
  EXPECT_EQ(m->coupling.bodyFromMainCount, 51) << "body 2's outer edge, from the main grid";
  EXPECT_EQ(m->coupling.bodyFromBody[kAuxLinkCapacity].receiver[1],
            m->grids.bodyFirst[1] + kAuxLinkCapacity - 1);
}
