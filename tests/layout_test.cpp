#include "grid_bits.h"
#include "layout/body_table.h"
#include "layout/grid_making.h"
#include "layout/outlines.h"
#include "layout/presets.h"
#include "run/setup.h"
#include "shown_setup.h"

#include "fake_window_services.h"
#include "reused_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// Every test starts from the start-up layout in the one model the suite
// shares, cleared for it.
struct LayoutFixture : ::testing::Test {
  Model& m = sharedCleanModel();
  FakeWindowServices ws;
  void SetUp() override { setStartupDefaults(m.layout, m.editing, m.view); }
  const AuxPoint& aux(int p, int r) const { return m.grids.bodyGrid[p][r][1]; }
  // One column of one body at (0, 0), its grids made.
  void makeOneBody(int shapeCode, int size) {
    m.layout.nColumns = 1;
    m.layout.columnBodies[1] = 1;
    m.layout.layoutShape[1][1] = shapeCode;
    m.layout.layoutSize[1][1] = size;
    ASSERT_TRUE(rebuildGrids(m));
  }
};

using Layout = LayoutFixture;

} // namespace

TEST(BodyTable, PerimeterIntervalsBySizeAndShape) {
  // size: circle, square, triangle, plate, ellipse (thickness 6.2, ratio 2.0)
  const int table[4][6] = {{5, 22, 28, 21, 22, 28},
                           {9, 27, 34, 26, 25, 35},
                           {14, 33, 42, 32, 29, 43},
                           {20, 41, 52, 39, 34, 52}};
  for (const auto& row : table)
    for (int code = 0; code <= 4; ++code)
      EXPECT_EQ(perimeterIntervals(code, row[0], 6.2, 2.0), row[code + 1])
          << "size " << row[0] << " shape " << code;
}

TEST(BodyTable, RoundsHalvesToEven) {
  // D*4/2.5 with D = 5.625 + 2*0 is exactly 9 ... pick sizes giving exact halves:
  // square with D = 3.125 gives 5.0; D = 3.4375 gives 5.5 -> 6; D = 4.0625 gives 6.5 -> 6.
  EXPECT_EQ(perimeterIntervals(shape::square, 3.4375, 0, 1), 6);
  EXPECT_EQ(perimeterIntervals(shape::square, 4.0625, 0, 1), 6);
  EXPECT_EQ(perimeterIntervals(shape::square, 4.6875, 0, 1), 8); // 7.5 -> 8
}

TEST(BodyTable, EllipseFactorHasALowerBound) {
  // Below a ratio of 0.7744, sqrt(ratio)/1.1 < 0.8 and the factor stays 0.8.
  const double circle = 26.4 * std::acos(-1.0) / 2.5;
  EXPECT_EQ(perimeterIntervals(shape::ellipse, 14, 6.2, 0.2), std::nearbyint(0.8 * circle));
  EXPECT_EQ(perimeterIntervals(shape::ellipse, 14, 6.2, 0.7),
            perimeterIntervals(shape::ellipse, 14, 6.2, 0.4));
  EXPECT_GT(perimeterIntervals(shape::ellipse, 14, 6.2, 0.9),
            perimeterIntervals(shape::ellipse, 14, 6.2, 0.7));
}

TEST_F(Layout, StartupDefaultsGiveThirteenCirclesAndTheDefaultMainGrid) {
  ASSERT_EQ(remakeGridsShown(m, ws), LayoutRefusal::none);
  EXPECT_EQ(m.grids.nBodies, 13);
  for (int b = 1; b <= 13; ++b) {
    EXPECT_EQ(m.grids.bodyPoints[b], 33);
    EXPECT_EQ(m.grids.bodyShape[b], shape::circle);
  }
  EXPECT_EQ(m.grids.bodyFirst[1], 2);
  EXPECT_EQ(m.grids.bodyLast[1], 35);
  EXPECT_EQ(m.grids.bodyFirst[2], 39);
  EXPECT_EQ(m.grids.bodyLast[2], 72);
  for (int b = 2; b <= 13; ++b) EXPECT_EQ(m.grids.bodyFirst[b], m.grids.bodyLast[b - 1] + 4);
  EXPECT_EQ(m.grids.bodyPerimeterPoints, 479);
  EXPECT_EQ(m.grids.mainNx, 186);
  EXPECT_EQ(m.grids.mainNy, 66);
  EXPECT_EQ(m.grids.outletLow, 23);
  EXPECT_EQ(m.grids.outletHigh, 44);
  EXPECT_DOUBLE_EQ(m.grids.mainSpacing, 1.25);
  // The grid starts 70 upstream of the surface (xmin just above -7) and 8 below -33.
  EXPECT_NEAR(m.grids.mainGrid[1][1].mainGridX, -7.0 - 70, 0.02);
  EXPECT_DOUBLE_EQ(m.grids.mainGrid[1][1].mainGridY, -41.0);
  EXPECT_LE(m.grids.mainGrid[m.grids.mainNx][1].mainGridX, 155.0);
  EXPECT_GT(m.grids.mainGrid[m.grids.mainNx][1].mainGridX + m.grids.mainSpacing, 155.0);
  // Columns at x = 0, 26, 52, 78, 104; column 2 holds two bodies at +-13.
  EXPECT_DOUBLE_EQ(m.grids.body[4].bodyX, 26.0);
  EXPECT_DOUBLE_EQ(m.grids.body[4].bodyY, -13.0);
  EXPECT_DOUBLE_EQ(m.grids.body[5].bodyY, 13.0);
  EXPECT_EQ(m.run.stepsDone, 1);
  EXPECT_EQ(m.view.particleState, 1);
  EXPECT_TRUE(ws.checkBoxVisible[1]);
  EXPECT_TRUE(ws.checkBoxVisible[2]);
  EXPECT_EQ(ws.statusTexts(0), std::vector<std::string>{""});
  EXPECT_EQ(ws.statusTexts(1), std::vector<std::string>{""});
}

TEST_F(Layout, MainGridCoordinatesAreRunningSums) {
  ASSERT_TRUE(rebuildGrids(m));
  double x = m.grids.mainGrid[1][1].mainGridX;
  for (int i = 2; i <= m.grids.mainNx; ++i) {
    x = x + 1.25;
    ASSERT_EQ(m.grids.mainGrid[i][m.grids.mainNy].mainGridX, x) << "column " << i;
  }
  double y = m.grids.mainGrid[1][1].mainGridY;
  for (int j = 2; j <= m.grids.mainNy; ++j) {
    y = y + 1.25;
    ASSERT_EQ(m.grids.mainGrid[m.grids.mainNx][j].mainGridY, y) << "row " << j;
  }
}

TEST_F(Layout, PresetsGiveTheirBodyCounts) {
  struct Case {
    int preset, nBodies, intervals, bodyPerimeterPoints;
  };
  const Case cases[] = {{1, 8, 33, 294}, {2, 12, 34, 454}, {3, 14, 41, 628}, {4, 22, 27, 680}};
  for (const auto& c : cases) {
    ASSERT_TRUE(applyPreset(m, c.preset));
    EXPECT_EQ(m.grids.nBodies, c.nBodies) << "preset " << c.preset;
    for (int b = 1; b <= m.grids.nBodies; ++b) EXPECT_EQ(m.grids.bodyPoints[b], c.intervals);
    EXPECT_EQ(m.grids.bodyPerimeterPoints, c.bodyPerimeterPoints) << "preset " << c.preset;
    EXPECT_LE(m.grids.mainNx, kMainNxCapacity);
    EXPECT_LE(m.grids.mainNy, kMainNyCapacity);
    // The arrays are sized by the grids made, slot 0 included.
    for (int n : {m.grids.mainGrid.extent1(), m.pixels.main.extent1(),
                  m.solution.mainFlow.extent1(), m.coupling.mainHoleFlag.extent1()})
      EXPECT_EQ(n, m.grids.mainNx + 1) << "preset " << c.preset;
    for (int n : {m.grids.mainGrid.extent2(), m.pixels.main.extent2(),
                  m.solution.mainFlow.extent2(), m.coupling.mainHoleFlag.extent2()})
      EXPECT_EQ(n, m.grids.mainNy + 1) << "preset " << c.preset;
    for (int n :
         {m.grids.bodyGrid.extent1(), m.pixels.body.extent1(), m.solution.bodyFlow.extent1(),
          m.grids.bodyMetric.extent1(), m.grids.bodySoundLength.extent1()})
      EXPECT_EQ(n, m.grids.bodyPerimeterPoints + 2) << "preset " << c.preset;
  }
}

TEST_F(Layout, PresetsWriteOnlyTheirValues) {
  m.layout.layoutRotation = 5;
  m.layout.bodyGridThickness = 6.2;
  m.view.viewCentreX = 33;
  m.editing.selectedColumn = 2;
  ASSERT_TRUE(applyPreset(m, 3));
  EXPECT_DOUBLE_EQ(m.layout.ellipseRatio, 1.6);
  EXPECT_DOUBLE_EQ(m.view.viewScale, 2.6);
  EXPECT_DOUBLE_EQ(m.view.viewCentreY, -5.0);
  EXPECT_EQ(m.layout.columnBodies[7], 3) << "pattern 3 writes columns 1..6 only";
  EXPECT_EQ(m.layout.layoutSize[8][1], 14) << "pattern 3 writes sizes of columns 1..7";
  EXPECT_EQ(m.layout.layoutSize[7][7], 14) << "pattern 3 writes bodies 1..6";
  EXPECT_EQ(m.layout.layoutShape[7][6], shape::ellipse);
  EXPECT_DOUBLE_EQ(m.layout.layoutRotation, 5);
  EXPECT_DOUBLE_EQ(m.view.viewCentreX, 33);
  EXPECT_EQ(m.editing.selectedColumn, 2);
  // The ratio of pattern 3 stays for later layouts.
  ASSERT_TRUE(applyPreset(m, 1));
  EXPECT_DOUBLE_EQ(m.layout.ellipseRatio, 1.6);
  ASSERT_TRUE(applyPreset(m, 2));
  EXPECT_EQ(m.layout.layoutAngle[1][1], 45);
}

TEST_F(Layout, ColumnsAreCentredOnTheAxis) {
  m.layout.nColumns = 2;
  m.layout.columnBodies[1] = 1;
  m.layout.columnBodies[2] = 2;
  m.layout.columnSpacing[2] = 30;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_DOUBLE_EQ(m.grids.body[1].bodyY, 0.0);
  EXPECT_DOUBLE_EQ(m.grids.body[2].bodyY, -15.0);
  EXPECT_DOUBLE_EQ(m.grids.body[3].bodyY, 15.0);
}

TEST_F(Layout, CircleRingClosesAcrossItsSeam) {
  ASSERT_TRUE(rebuildGrids(m));
  // Body 1 stands at (0, -26), size 14, 33 intervals from index 2.
  EXPECT_NEAR(aux(2, 10).bodyGridX, 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(aux(2, 10).bodyGridY, -26.0 - 7.0);
  EXPECT_NEAR(aux(35, 10).bodyGridX, aux(2, 10).bodyGridX, 1e-12);
  EXPECT_NEAR(aux(35, 10).bodyGridY, aux(2, 10).bodyGridY, 1e-12);
  EXPECT_NEAR(aux(2, 1).bodyGridY, -26.0 - 7.0 - 6.2, 1e-12);
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(aux(1, r).bodyGridX, aux(34, r).bodyGridX);
    EXPECT_EQ(aux(1, r).bodyGridY, aux(34, r).bodyGridY);
    EXPECT_EQ(aux(36, r).bodyGridX, aux(3, r).bodyGridX);
    EXPECT_EQ(aux(36, r).bodyGridY, aux(3, r).bodyGridY);
  }
  // Clockwise from the lowest point: the next point lies upstream (-x).
  EXPECT_LT(aux(3, 10).bodyGridX, aux(2, 10).bodyGridX);
}

TEST_F(Layout, RadialLayersFollowTheGeometricLaw) {
  ASSERT_TRUE(rebuildGrids(m));
  // On a circle the nine radial intervals run from 0.8774 at the edge down to
  // 0.5264 at the body, the last 0.6 times the first.
  auto dist = [&](int p, int r1, int r2) {
    return std::hypot(aux(p, r2).bodyGridX - aux(p, r1).bodyGridX,
                      aux(p, r2).bodyGridY - aux(p, r1).bodyGridY);
  };
  EXPECT_NEAR(dist(10, 1, 2), 0.8774, 5e-5);
  EXPECT_NEAR(dist(10, 9, 10), 0.5264, 5e-5);
  EXPECT_NEAR(dist(10, 9, 10) / dist(10, 1, 2), 0.6, 1e-9);
}

TEST_F(Layout, GridSegmentSpacing) {
  m.layout.bodyLayers = 10;
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                31); // index 31 is an end point of the reversed fill
  // Evenly spaced with ratio 1 along the perimeter.
  m.grids.bodyGrid[10][1][1] = {0, 0};
  m.grids.bodyGrid[15][1][1] = {10, 5};
  fillGridSegment(m.grids, 10, 1, 15, 1, 1.0);
  for (int p = 11; p <= 14; ++p) {
    EXPECT_NEAR(aux(p, 1).bodyGridX, 2.0 * (p - 10), 1e-9);
    EXPECT_NEAR(aux(p, 1).bodyGridY, 1.0 * (p - 10), 1e-9);
  }
  // Between coincident points every interior point lands on that point.
  m.grids.bodyGrid[20][1][1] = {3, 4};
  m.grids.bodyGrid[20][10][1] = {3, 4};
  fillGridSegment(m.grids, 20, 1, 20, 10, 0.6);
  for (int r = 2; r <= 9; ++r) {
    EXPECT_EQ(aux(20, r).bodyGridX, 3.0);
    EXPECT_EQ(aux(20, r).bodyGridY, 4.0);
  }
  // Reversed indices write nothing.
  m.grids.bodyGrid[30][5][1] = {-1, -1};
  fillGridSegment(m.grids, 31, 1, 29, 1, 1.0);
  EXPECT_EQ(aux(30, 5).bodyGridX, -1.0);
}

TEST_F(Layout, SquareAndTriangleRemaindersAndCorners) {
  // One square of 42 intervals: q = 10, the upstream side takes 12.
  m.layout.nColumns = 1;
  m.layout.columnBodies[1] = 1;
  m.layout.layoutShape[1][1] = shape::square;
  ASSERT_TRUE(rebuildGrids(m));
  ASSERT_EQ(m.grids.bodyPoints[1], 42);
  const int f = m.grids.bodyFirst[1];
  const double h = 7, H = 7 + 6.2;
  // Lower upstream corner, then counterclockwise: corners at f, f+10, f+20, f+30, f+42.
  EXPECT_NEAR(aux(f, 10).bodyGridX, -h, 1e-12);
  EXPECT_NEAR(aux(f, 10).bodyGridY, -h, 1e-12);
  EXPECT_NEAR(aux(f + 10, 10).bodyGridX, h, 1e-9);
  EXPECT_NEAR(aux(f + 20, 10).bodyGridY, h, 1e-9);
  EXPECT_NEAR(aux(f + 30, 1).bodyGridX, -H, 1e-9);
  EXPECT_NEAR(aux(f + 30, 1).bodyGridY, H, 1e-9);
  EXPECT_NEAR(aux(f + 31, 1).bodyGridY - aux(f + 30, 1).bodyGridY, -2 * H / 12, 1e-9);
  EXPECT_NEAR(aux(f + 42, 1).bodyGridY, -H, 1e-9);

  // One triangle of 32 intervals: n = 10, the side from the apex back takes 12.
  m.layout.layoutShape[1][1] = shape::triangle;
  ASSERT_TRUE(rebuildGrids(m));
  ASSERT_EQ(m.grids.bodyPoints[1], 32);
  const double s = 14, r3 = std::sqrt(3.0);
  EXPECT_NEAR(aux(f + 20, 10).bodyGridX, 0.0, 1e-12);
  EXPECT_NEAR(aux(f + 20, 10).bodyGridY, s / r3, 1e-12);
  EXPECT_NEAR(aux(f + 20, 1).bodyGridY, s / r3 + r3 * 6.2, 1e-12);
  EXPECT_NEAR(aux(f + 10, 1).bodyGridX, s / 2 + r3 * 6.2, 1e-12);
  const double side = std::hypot(s / 2, s / r3 + s / (2 * r3)); // apex to lower corner
  EXPECT_NEAR(std::hypot(aux(f + 21, 10).bodyGridX - aux(f + 20, 10).bodyGridX,
                         aux(f + 21, 10).bodyGridY - aux(f + 20, 10).bodyGridY),
              side / 12, 1e-9);
}

TEST_F(Layout, PlateIsARectangleWithFourIntervalsAcrossEachEnd) {
  // A plate 1 wide and 19 high at (0, 0), 33 intervals: 4 across each end,
  // 12 up the downstream side, the remaining 13 down the upstream side, all
  // evenly spaced; the outer edge is the rectangle grown by the thickness.
  makeOneBody(shape::plate, 19);
  ASSERT_EQ(m.grids.bodyPoints[1], 33);
  const int f = m.grids.bodyFirst[1];
  for (const auto& [r, g] : {std::pair{10, 0.0}, std::pair{1, 6.2}}) {
    const double x0 = -0.5 - g, x1 = 0.5 + g, y0 = -9.5 - g, y1 = 9.5 + g;
    const struct {
      int from, to;
      double xa, ya, xb, yb;
    } sides[] = {{f, f + 4, x0, y0, x1, y0},
                 {f + 4, f + 16, x1, y0, x1, y1},
                 {f + 16, f + 20, x1, y1, x0, y1},
                 {f + 20, f + 33, x0, y1, x0, y0}};
    for (const auto& side : sides)
      for (int p = side.from; p <= side.to; ++p) {
        const double a = double(p - side.from) / (side.to - side.from);
        EXPECT_NEAR(aux(p, r).bodyGridX, side.xa + a * (side.xb - side.xa), 1e-9) << p << ", " << r;
        EXPECT_NEAR(aux(p, r).bodyGridY, side.ya + a * (side.yb - side.ya), 1e-9) << p << ", " << r;
      }
  }
}

TEST_F(Layout, PlateTurnedByNinetyDegreesLiesAlongTheStream) {
  makeOneBody(shape::plate, 20);
  auto extent = [&](bool alongX) {
    double lo = 1e9, hi = -1e9;
    for (int p = m.grids.bodyFirst[1]; p <= m.grids.bodyLast[1]; ++p) {
      const double v = alongX ? aux(p, 10).bodyGridX : aux(p, 10).bodyGridY;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    return hi - lo;
  };
  EXPECT_NEAR(extent(true), 1.0, 1e-9);
  EXPECT_NEAR(extent(false), 20.0, 1e-9);
  m.layout.layoutAngle[1][1] = 90;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_NEAR(extent(true), 20.0, 1e-9);
  EXPECT_NEAR(extent(false), 1.0, 1e-9);
}

TEST_F(Layout, TurningTheArrangementChangesTheMainGrid) {
  ASSERT_TRUE(rebuildGrids(m));
  const int nx = m.grids.mainNx, ny = m.grids.mainNy;
  m.layout.layoutRotation = 30;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_NE(m.grids.mainNy, ny);
  EXPECT_NE(m.grids.mainNx, nx);
  // The arrangement turns clockwise about (52, 0): column 1 moves up.
  EXPECT_GT(m.grids.body[2].bodyY, 0.0);
  EXPECT_NEAR(std::hypot(m.grids.body[2].bodyX - 52, m.grids.body[2].bodyY), 52.0, 1e-9);
}

TEST_F(Layout, RegenerationGivesIdenticalArrays) {
  m.layout.layoutRotation = 17;
  m.layout.layoutAngle[2][1] = 33;
  m.layout.layoutShape[3][2] = shape::triangle;
  m.layout.layoutShape[4][1] = shape::plate;
  m.layout.layoutShape[5][3] = shape::ellipse;
  ASSERT_TRUE(rebuildGrids(m));
  auto first = makeModel();
  *first = m;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_TRUE(sameBits(first->grids.bodyGrid, m.grids.bodyGrid));
  EXPECT_TRUE(sameBits(first->grids.mainGrid, m.grids.mainGrid));
  EXPECT_EQ(std::memcmp(&first->grids.body, &m.grids.body, sizeof m.grids.body), 0);
  // A change and back also gives the same arrays: nothing is carried over.
  m.layout.layoutRotation = -40;
  ASSERT_TRUE(rebuildGrids(m));
  m.layout.layoutRotation = 17;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_TRUE(sameBits(first->grids.bodyGrid, m.grids.bodyGrid));
  // The main grid in use (a larger grid in between leaves points beyond it).
  ASSERT_EQ(first->grids.mainNx, m.grids.mainNx);
  ASSERT_EQ(first->grids.mainNy, m.grids.mainNy);
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      ASSERT_EQ(first->grids.mainGrid[i][j].mainGridX, m.grids.mainGrid[i][j].mainGridX);
      ASSERT_EQ(first->grids.mainGrid[i][j].mainGridY, m.grids.mainGrid[i][j].mainGridY);
    }
}

// ---------------------------------------------------------------- capacities

namespace {
// The largest arrangement the layout dialog builds: six columns of five
// bodies of size 20 at the widest spacing.
void largestDialogLayout(Model& m, int shapeCode) {
  m.layout.nColumns = 6;
  for (int c = 1; c <= 6; ++c) {
    m.layout.columnBodies[c] = 5;
    m.layout.columnSpacing[c] = 40;
    for (int k = 1; k <= 5; ++k) {
      m.layout.layoutSize[c][k] = 20;
      m.layout.layoutShape[c][k] = shapeCode;
    }
  }
}
} // namespace

TEST_F(Layout, LargestDialogLayoutsOfEveryShapeBelowTheEllipseLimitFit) {
  for (int code : {shape::circle, shape::square, shape::triangle, shape::plate}) {
    largestDialogLayout(m, code);
    EXPECT_TRUE(rebuildGrids(m)) << "shape " << code;
    EXPECT_LE(m.grids.bodyPerimeterPoints + 1, kPerimeterCapacity);
  }
  EXPECT_TRUE(ws.messages().empty());
}

TEST_F(Layout, PerimeterLimitRefusesJustBeyondAndKeepsTheLastLayout) {
  // Thirty ellipses of size 20: walk the ratio up in the dialog's steps of 0.2
  // until the layout no longer fits.
  // Wide ellipses overlap their neighbours before they overflow the arrays:
  // those are refused for the overlap, and the grids stay those of the last
  // layout made.
  largestDialogLayout(m, shape::ellipse);
  double ratio = 0.2, fitted = 0;
  auto inside = makeModel();
  for (; ratio <= 4.0; ratio += 0.2) {
    m.layout.ellipseRatio = ratio;
    const int needed = requiredPerimeterIndex(m.layout);
    if (needed > kPerimeterCapacity) break;
    const LayoutRefusal refusal = remakeGridsShown(m, ws);
    ASSERT_NE(refusal, LayoutRefusal::capacity) << "ratio " << ratio;
    if (refusal == LayoutRefusal::overlap) continue;
    EXPECT_EQ(m.grids.bodyPerimeterPoints + 1, needed);
    fitted = ratio;
    *inside = m;
  }
  ASSERT_GT(fitted, 0.0);
  ASSERT_LE(ratio, 4.0) << "some ratio in the dialog's range must overflow";

  m.layout.ellipseRatio = ratio;
  const int needed = requiredPerimeterIndex(m.layout);
  m.run.stepsDone = 77;
  ws.calls.clear();
  EXPECT_EQ(remakeGridsShown(m, ws), LayoutRefusal::capacity);
  ASSERT_EQ(ws.messages().size(), 1u);
  const std::string msg = ws.messages()[0];
  EXPECT_NE(msg.find("モデル規模が大き過ぎます"), std::string::npos) << msg;
  EXPECT_NE(msg.find(std::to_string(needed)), std::string::npos) << msg;
  EXPECT_NE(msg.find("1775"), std::string::npos) << msg;
  // The parameters describe the grids again, and the grids are those that fitted.
  EXPECT_DOUBLE_EQ(m.layout.ellipseRatio, fitted);
  EXPECT_EQ(m.run.stepsDone, 77);
  EXPECT_TRUE(sameBits(inside->grids.bodyGrid, m.grids.bodyGrid));
  EXPECT_TRUE(sameBits(inside->grids.mainGrid, m.grids.mainGrid));
  EXPECT_EQ(m.grids.bodyPerimeterPoints, inside->grids.bodyPerimeterPoints);
  EXPECT_EQ(m.grids.nBodies, 30);
}

TEST_F(Layout, MainGridLimitRefusesJustBeyondAndKeepsTheLastLayout) {
  // Corner columns of long ellipses, the others circles; turning the
  // arrangement stretches the grid across the channel until it no longer fits.
  largestDialogLayout(m, shape::circle);
  m.layout.ellipseRatio = 4.0;
  ASSERT_TRUE(rebuildGrids(m)) << "the circles alone are the layout kept";
  // (The long ellipses overlap their neighbours: refused for that before
  // the overflow, so the grids kept are those of the last layout made.)
  // A refusal puts the circles back: the ellipses are set for every turn.
  const auto longEllipsesTurnedBy = [this](int angle) {
    for (int c : {1, 6})
      for (int k = 1; k <= 5; ++k) m.layout.layoutShape[c][k] = shape::ellipse;
    m.layout.layoutRotation = angle;
  };
  longEllipsesTurnedBy(0);
  ASSERT_LE(requiredPerimeterIndex(m.layout), kPerimeterCapacity);
  int angle = 0;
  for (; angle <= 90; ++angle) {
    longEllipsesTurnedBy(angle);
    ws.calls.clear();
    if (remakeGridsShown(m, ws) == LayoutRefusal::capacity) break;
  }
  ASSERT_LE(angle, 90) << "a turn within 90 degrees must overflow the main grid";
  ASSERT_GE(angle, 1);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_NE(ws.messages()[0].find("252 × 220"), std::string::npos) << ws.messages()[0];
  const double kept = m.layout.layoutRotation;
  auto afterRefusal = makeModel();
  *afterRefusal = m;
  m.layout.layoutRotation = kept;
  ASSERT_TRUE(rebuildGrids(m));
  EXPECT_TRUE(sameBits(afterRefusal->grids.bodyGrid, m.grids.bodyGrid));
  EXPECT_TRUE(sameBits(afterRefusal->grids.mainGrid, m.grids.mainGrid));
  EXPECT_EQ(afterRefusal->grids.mainNy, m.grids.mainNy);
}

namespace {
// Thirty ellipses of size 20 with the ratio raised in the dialog's steps
// until they need at least `target` perimeter indices, then the shapes and
// sizes of the first two bodies varied until the layout needs exactly
// `target`.  False when no such layout turns up.
bool layoutNeeding(Model& m, int target) {
  largestDialogLayout(m, shape::ellipse);
  for (double ratio = 0.2; ratio <= 4.0; ratio += 0.2) {
    m.layout.ellipseRatio = ratio;
    if (requiredPerimeterIndex(m.layout) < target) continue;
    for (int shape1 = shape::circle; shape1 <= shape::ellipse; ++shape1)
      for (int size1 = 1; size1 <= 20; ++size1)
        for (int shape2 = shape::circle; shape2 <= shape::ellipse; ++shape2)
          for (int size2 = 1; size2 <= 20; ++size2) {
            m.layout.layoutShape[1][1] = shape1;
            m.layout.layoutSize[1][1] = size1;
            m.layout.layoutShape[1][2] = shape2;
            m.layout.layoutSize[1][2] = size2;
            if (requiredPerimeterIndex(m.layout) == target) return true;
          }
    return false;
  }
  return false;
}
} // namespace

TEST_F(Layout, PerimeterCapacityHoldsExactlyItsLastIndex) {
  // The highest index in use, bodyPerimeterPoints + 1 (the continuation slot after the last
  // body), may be the array's last slot 1775 but not one more.
  const struct {
    int needed;
    bool fits;
  } cases[] = {{1775, true}, {1776, false}};
  for (const auto& c : cases) {
    ws.calls.clear();
    ASSERT_TRUE(layoutNeeding(m, c.needed)) << c.needed;
    // The packed ellipses overlap: the layout that fits the arrays is then
    // refused for the overlap alone.
    EXPECT_EQ(remakeGridsShown(m, ws) != LayoutRefusal::capacity, c.fits) << c.needed;
    if (!c.fits) {
      ASSERT_EQ(ws.messages().size(), 1u);
      EXPECT_NE(ws.messages()[0].find("= 1776　"), std::string::npos) << ws.messages()[0];
    }
  }
}

TEST_F(Layout, MainGridCapacityHoldsExactly252By220) {
  // Column 1 holds one ellipse of size 20 whose long axis, ellipseRatio x 20,
  // lies along x: it sets how far upstream the grid begins.  Column 2 holds
  // four circles, clear of the ellipse, whose spacing and size set the
  // grid's height.
  setStartupDefaults(m.layout, m.editing, m.view);
  m.layout.nColumns = 2;
  m.layout.columnBodies[1] = 1;
  m.layout.layoutShape[1][1] = shape::ellipse;
  m.layout.layoutSize[1][1] = 20;
  m.layout.columnBodies[2] = 4;
  m.layout.ellipseRatio = 8.0;
  auto setCircleSize = [&](int size) {
    for (int k = 1; k <= 4; ++k) m.layout.layoutSize[2][k] = size;
  };
  auto fits = [&] {
    ws.calls.clear();
    return remakeGridsShown(m, ws) == LayoutRefusal::none;
  };
  auto refusedAs = [&](const std::string& size) {
    return !fits() && ws.messages().size() == 1 &&
           ws.messages()[0].find("= " + size + "　") != std::string::npos;
  };

  // Rows: a spacing and circle size that give exactly 220 rows, one size more
  // being refused at 221 rows.
  int circleSize = 0;
  for (int spacing = 76; spacing <= 88 && circleSize == 0; ++spacing)
    for (int size = 1; size <= 19 && circleSize == 0; ++size) {
      m.layout.columnSpacing[2] = spacing;
      setCircleSize(size);
      if (!fits() || m.grids.mainNy != 220) continue;
      const int columns = m.grids.mainNx;
      setCircleSize(size + 1);
      if (refusedAs(std::to_string(columns) + " × 221")) circleSize = size;
    }
  ASSERT_NE(circleSize, 0) << "no grid of exactly 220 rows fitted with 221 refused";
  setCircleSize(circleSize);

  // Columns: the ratio raised by 0.01 (less than a column a step) until the
  // grid is refused; the last grid accepted has exactly 252 x 220 points.
  int lastNx = 0, lastNy = 0;
  std::string refusal;
  for (double ratio = 8.0; ratio < 10.0 && refusal.empty(); ratio += 0.01) {
    m.layout.ellipseRatio = ratio;
    if (fits()) {
      lastNx = m.grids.mainNx;
      lastNy = m.grids.mainNy;
    } else {
      refusal = ws.messages().empty() ? "no message" : ws.messages()[0];
    }
  }
  EXPECT_EQ(lastNx, 252);
  EXPECT_EQ(lastNy, 220);
  EXPECT_NE(refusal.find("= 253 × 220　"), std::string::npos) << refusal;

  // One row more, at the last ratio accepted (the refusal put it back).
  setCircleSize(circleSize + 1);
  EXPECT_TRUE(refusedAs("252 × 221")) << (ws.messages().empty() ? "" : ws.messages()[0]);
}
