// The whole coupling set-up on real layouts: defaults, presets, single bodies
// of every shape and random layouts within the layout dialog's limits.
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/outer_edge_links.h"
#include "grid_bits.h"
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "run/setup.h"
#include "shown_setup.h"

#include "coupling_checks.h"
#include "fake_window_services.h"
#include "reused_model.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

// The same set-up with the plain scans on a copy: the links, the holes and the
// inner-hole marks must come out bit for bit the same.
void expectPlainScanAgrees(const Model& m, const std::string& what) {
  auto plain = makeModel();
  *plain = m;
  FakeWindowServices ws;
  plain->run.stopFlag = false;
  findMainGridLinks(*plain, ws, 1, 1, CellScan::plain);
  cutHoles(*plain, ws);
  findOuterEdgeLinks(*plain, ws, CellScan::plain);
  expectSameLinks(m, *plain, what);
  EXPECT_EQ(m.coupling.mainHoleCount, plain->coupling.mainHoleCount) << what;
  EXPECT_TRUE(std::ranges::equal(m.coupling.mainHoleList, plain->coupling.mainHoleList,
                                 [](GridIndex a, GridIndex b) { return a.i == b.i && a.j == b.j; }))
      << what;
  EXPECT_TRUE(sameBits(m.solution.mainFlow, plain->solution.mainFlow)) << what;
}

// Outer-edge points (p, 1) that got no link.
std::vector<int> unlinkedOuterEdgePoints(const Model& m) {
  std::vector<bool> linked(kPerimeterCapacity + 1, false);
  for (int k = 1; k <= m.coupling.bodyFromMainCount; ++k)
    linked[m.coupling.bodyFromMain[k].receiver[1]] = true;
  for (int k = 1; k <= m.coupling.bodyFromBodyCount; ++k)
    linked[m.coupling.bodyFromBody[k].receiver[1]] = true;
  std::vector<int> out;
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
      if (!linked[p]) out.push_back(p);
  return out;
}

} // namespace

// Regression references of the start-up layout and the four presets.
struct PresetCase {
  int preset; // 0 = start-up defaults
  int mainFromBody, holes, bodyFromMain, bodyFromBody;
};

class PresetLayout : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PresetLayout, CouplingCountsLinksAndHoles) {
  const PresetCase& c = GetParam();
  const std::string what = "preset " + std::to_string(c.preset);
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  FakeWindowServices ws;
  if (c.preset != 0) {
    ASSERT_TRUE(applyPreset(*m, c.preset));
  }
  runCouplingSetupShown(*m, ws);
  EXPECT_TRUE(ws.messages().empty()) << what;
  EXPECT_FALSE(m->run.stopFlag) << what;
  EXPECT_EQ(m->coupling.mainFromBodyCount, c.mainFromBody) << what;
  EXPECT_EQ(m->coupling.mainHoleCount, c.holes) << what;
  EXPECT_EQ(m->coupling.bodyFromMainCount, c.bodyFromMain) << what;
  EXPECT_EQ(m->coupling.bodyFromBodyCount, c.bodyFromBody) << what;
  // The main grid reaches 8 units beyond the body surfaces, less than the
  // outer edge of a turned square's corner: only such points lack a donor.
  for (int p : unlinkedOuterEdgePoints(*m)) {
    const double y = m->grids.bodyGrid[p][1][1].bodyGridY;
    EXPECT_TRUE(y < m->grids.mainGrid[1][1].mainGridY ||
                y > m->grids.mainGrid[1][m->grids.mainNy].mainGridY)
        << what << ": point " << p;
  }
  // Both copies of a ring's seam point get their own link, to the same donor.
  std::vector<std::array<int, 4>> donorOf(kPerimeterCapacity + 1);
  for (int k = 1; k <= m->coupling.bodyFromMainCount; ++k)
    donorOf[m->coupling.bodyFromMain[k].receiver[1]] = m->coupling.bodyFromMain[k].donor;
  for (int b = 1; b <= m->grids.nBodies; ++b)
    EXPECT_EQ(donorOf[m->grids.bodyFirst[b]], donorOf[m->grids.bodyLast[b]])
        << what << ": body " << b;
  expectLinksReproduceReceivers(*m, what);
  expectHoleMarksConsistent(*m, what);
  expectHolesEnclosedByReceivers(*m, what);
  expectPlainScanAgrees(*m, what);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultsAndPresets, PresetLayout,
    ::testing::Values(PresetCase{0, 686, 1960, 442, 0}, PresetCase{1, 421, 1207, 272, 0},
                      PresetCase{2, 532, 1162, 416, 0}, PresetCase{3, 1057, 3931, 588, 0},
                      PresetCase{4, 755, 1637, 616, 0}),
    [](const auto& info) { return "Preset" + std::to_string(info.param.preset); });

TEST(CouplingSetup, SingleBodyHolesAreEnclosedByTheReceiverRing) {
  auto m = makeModel();
  for (int code : {shape::circle, shape::square, shape::triangle, shape::plate, shape::ellipse}) {
    const std::string what = "shape " + std::to_string(code);
    clearModel(*m);
    setStartupDefaults(m->layout, m->editing, m->view);
    m->layout.nColumns = 1;
    m->layout.columnBodies[1] = 1;
    m->layout.layoutShape[1][1] = code;
    m->layout.layoutAngle[1][1] = 17;
    FakeWindowServices ws;
    runCouplingSetupShown(*m, ws);
    ASSERT_GT(m->coupling.mainFromBodyCount, 0) << what;
    expectHolesEnclosedByReceivers(*m, what);
    expectHoleMarksConsistent(*m, what);
    expectLinksReproduceReceivers(*m, what);
    EXPECT_EQ(m->coupling.bodyFromBodyCount, 0) << what;
  }
}

// Where one grid hands its values to another keeps the classic grid's depth
// from the wall at every fineness: the main grid's receivers fill a ring out
// to layer 7's depth, the outer edges take donors in another body's grid from
// layer 5's depth inward.  Held at those layer indices on every layering,
// both would reach farther from the wall at each refinement and hand more of
// a wake to the body grids.
TEST(CouplingSetup, TheGridsMeetAtTheClassicDepthsAtEveryFineness) {
  auto m = makeModel();
  double classicRing = 0, classicDonors = 0;
  for (int fineness = 1; fineness <= 4; ++fineness) {
    const std::string what = "fineness " + std::to_string(fineness);
    clearModel(*m);
    setStartupDefaults(m->layout, m->editing, m->view);
    m->layout.nColumns = 1;
    m->layout.columnBodies[1] = 2; // size 14, 18 apart: the body grids overlap
    m->layout.layoutSize[1][1] = m->layout.layoutSize[1][2] = 14;
    m->layout.columnSpacing[1] = 18;
    m->flow.reynolds = 40;
    m->flow.fineness = fineness;
    FakeWindowServices ws;
    runCouplingSetupShown(*m, ws);
    ASSERT_TRUE(ws.messages().empty()) << what;
    const auto& g = m->grids;
    const auto fromWall = [&](int p, int r) {
      const AuxPoint &q = g.bodyGrid[p][r][1], &wall = g.bodyGrid[p][m->layout.bodyLayers][1];
      return std::hypot(q.bodyGridX - wall.bodyGridX, q.bodyGridY - wall.bodyGridY);
    };
    if (fineness == 1)
      classicRing = fromWall(g.bodyFirst[1], 7), classicDonors = fromWall(g.bodyFirst[1], 5);
    double ring = 0, donors = 0;
    for (int k = 1; k <= m->coupling.mainFromBodyCount; ++k) {
      const Link& l = m->coupling.mainFromBody[k];
      const MainPoint& q = g.mainGrid[l.receiver[1]][l.receiver[2]];
      const BodyCentre& body = g.body[l.receiver[3]];
      ring = std::max(ring, std::hypot(q.mainGridX - body.bodyX, q.mainGridY - body.bodyY) - 7);
    }
    for (int k = 1; k <= m->coupling.bodyFromBodyCount; ++k)
      donors = std::max(donors, fromWall(m->coupling.bodyFromBody[k].donor[1],
                                         m->coupling.bodyFromBody[k].donor[2]));
    EXPECT_LE(ring, classicRing) << what;
    EXPECT_GE(ring, classicRing - 2 * g.mainSpacing) << what;
    EXPECT_GT(m->coupling.bodyFromBodyCount, 0) << what;
    EXPECT_LE(donors, classicDonors + 1e-9) << what;
    expectHolesEnclosedByReceivers(*m, what);
    expectLinksReproduceReceivers(*m, what);
  }
}

TEST(CouplingSetup, AListOverItsCapacityReachesTheUserAndStopsTheRun) {
  // Body grids 30 units thick around the start-up circles reach so far into
  // each other that the links between bodies overflow their list.
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  m->layout.bodyGridThickness = 30;
  m->coupling.bodyFromBodyCount = 5;
  FakeWindowServices ws;
  runCouplingSetupShown(*m, ws);
  EXPECT_EQ(ws.messages(), std::vector<std::string>{"  モデル規模が大き過ぎです。R-22 794"});
  EXPECT_TRUE(m->run.stopFlag);
  EXPECT_EQ(m->coupling.bodyFromBodyCount, 5) << "the count is left as it was";
}

TEST(CouplingSetup, OuterEdgesLinkToTheOtherBodyOnlyWhenTheGridsOverlap) {
  struct Case {
    int size, spacing;
    bool overlap;
  };
  auto m = makeModel();
  for (const Case& c : {Case{5, 40, false}, Case{14, 18, true}, Case{20, 22, true}}) {
    const std::string what =
        "size " + std::to_string(c.size) + " spacing " + std::to_string(c.spacing);
    clearModel(*m);
    setStartupDefaults(m->layout, m->editing, m->view);
    m->layout.nColumns = 1;
    m->layout.columnBodies[1] = 2;
    m->layout.columnSpacing[1] = c.spacing;
    m->layout.layoutSize[1][1] = m->layout.layoutSize[1][2] = c.size;
    FakeWindowServices ws;
    runCouplingSetupShown(*m, ws);
    EXPECT_EQ(m->coupling.bodyFromBodyCount > 0, c.overlap) << what;
    // An outer-edge point inside the other body has no donor at all.
    for (int p : unlinkedOuterEdgePoints(*m)) {
      const int other = p <= m->grids.bodyLast[1] ? 2 : 1;
      EXPECT_LT(std::hypot(m->grids.bodyGrid[p][1][1].bodyGridX - m->grids.body[other].bodyX,
                           m->grids.bodyGrid[p][1][1].bodyGridY - m->grids.body[other].bodyY),
                c.size / 2.0)
          << what << ": point " << p;
    }
    for (int k = 1; k <= m->coupling.bodyFromBodyCount; ++k)
      for (int n = 1; n <= m->coupling.bodyFromMainCount; ++n)
        ASSERT_NE(m->coupling.bodyFromMain[n].receiver[1], m->coupling.bodyFromBody[k].receiver[1])
            << what;
    for (int k = 1; k <= m->coupling.bodyFromBodyCount; ++k) {
      const Link& l = m->coupling.bodyFromBody[k];
      EXPECT_NE(l.receiver[1] <= m->grids.bodyLast[1], l.donor[1] <= m->grids.bodyLast[1])
          << "other body";
      EXPECT_TRUE(l.donor[2] >= 5 && l.donor[2] <= 9) << what << ": donor layer " << l.donor[2];
    }
    expectLinksReproduceReceivers(*m, what);
  }
}

// Random layouts within the layout dialog's limits.
class RandomLayout : public ::testing::TestWithParam<int> {};

TEST_P(RandomLayout, LinksReproduceReceiversAndBothScansAgree) {
  std::mt19937 rng(GetParam());
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto m = makeModel();
  setStartupDefaults(m->layout, m->editing, m->view);
  m->layout.nColumns = pick(1, 6);
  m->layout.ellipseRatio = 0.2 * pick(1, 20);
  m->layout.layoutRotation = pick(-180, 180);
  for (int c = 1; c <= m->layout.nColumns; ++c) {
    m->layout.columnBodies[c] = pick(1, 5);
    m->layout.columnSpacing[c] = pick(18, 40);
    const int size = pick(5, 20), shapeCode = pick(0, 4), angle = pick(-90, 90);
    for (int k = 1; k <= m->layout.columnBodies[c]; ++k) {
      m->layout.layoutSize[c][k] = size;
      m->layout.layoutShape[c][k] = shapeCode;
      m->layout.layoutAngle[c][k] = angle;
    }
  }
  FakeWindowServices ws;
  m->run.stopFlag = false;
  runCouplingSetupShown(*m, ws);
  const std::string what = "random layout " + std::to_string(GetParam()) + " (" +
                           std::to_string(m->grids.nBodies) + " bodies)";
  EXPECT_FALSE(m->run.stopFlag) << what;
  expectLinksReproduceReceivers(*m, what);
  expectHoleMarksConsistent(*m, what);
  expectPlainScanAgrees(*m, what);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomLayout, ::testing::Range(1, 7));

TEST(HoleCutting, TheSeedTakesOnlyPointsCloserThanItsRadius) {
  // A circle centred on a main-grid point, its seed radius term sqrt(size)/2
  // equal to the squared distance of the four diagonal neighbours,
  // 2 * 1.25^2 = 3.125: they are not seeded, as for a slightly smaller size,
  // and a slightly larger size seeds them.
  auto markers = [](double size) {
    auto m = makeModel();
    synthetic::mainGrid(*m, 21, 21);
    m->grids.nBodies = 1;
    m->grids.bodyShape[1] = shape::circle;
    m->grids.bodySize[1] = size;
    m->grids.body[1].bodyX = m->grids.mainGrid[11][11].mainGridX;
    m->grids.body[1].bodyY = m->grids.mainGrid[11][11].mainGridY;
    FakeWindowServices ws;
    cutHoles(*m, ws);
    std::vector<double> marker;
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j) marker.push_back(m->solution.mainFlow[i][j][8]);
    return marker;
  };
  const double onTheDiagonals = 6.25 * 6.25;
  const std::vector<double> on = markers(onTheDiagonals);
  EXPECT_EQ(on, markers(onTheDiagonals * (1 - 1e-9)));
  EXPECT_NE(on, markers(onTheDiagonals * (1 + 1e-9)));
}

TEST(HoleCutting, MoreHolesThanTheListHoldsAreFlaggedAndReported) {
  // The largest main grid and one body whose seed radius term covers all of
  // it: after the sweeps everything but a margin along the border of zeros
  // still holds at least 1, far more holes than the list's 14900 entries.
  auto m = makeModel();
  synthetic::mainGrid(*m, kMainNxCapacity, kMainNyCapacity);
  m->grids.nBodies = 1;
  m->grids.bodyShape[1] = shape::circle;
  m->grids.bodySize[1] = 1e12; // seed radius term 5e5 > every squared distance
  m->grids.body[1].bodyX = m->grids.mainGrid[kMainNxCapacity / 2][1].mainGridX;
  m->grids.body[1].bodyY = m->grids.mainGrid[1][kMainNyCapacity / 2].mainGridY;
  m->coupling.mainHoleCount = 77;
  FakeWindowServices ws;
  const std::optional<SetupProblem> problem = cutHoles(*m, ws);

  int holes = 0;
  for (int i = 1; i <= m->grids.mainNx; ++i)
    for (int j = 1; j <= m->grids.mainNy; ++j)
      if (m->coupling.mainHoleFlag[i][j]) {
        ++holes;
        if (holes <= kHoleCapacity) {
          ASSERT_TRUE(m->coupling.mainHoleList[holes].i == i &&
                      m->coupling.mainHoleList[holes].j == j)
              << "entry " << holes << " is not hole (" << i << ", " << j << ")";
        }
      }
  ASSERT_GT(holes, 14900);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problemText(*problem, Language::japanese),
            "ERROR ERROR N_Pipe = " + std::to_string(holes));
  EXPECT_EQ(m->coupling.mainHoleCount, 77) << "the count keeps its old value";
  EXPECT_FALSE(m->run.stopFlag) << "the run goes on";
}
