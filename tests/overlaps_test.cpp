// Bodies that overlap each other or reach out of the channel are refused as
// a layout too large is, and nothing else is: every pattern is made, and a
// walk over the layouts the dialog reaches finds each verdict confirmed by a
// geometric test of its own (crossing edges, a point inside the other body).
#include "layout/grid_making.h"
#include "layout/presets.h"
#include "run/setup.h"
#include "shown_setup.h"

#include "fake_window_services.h"
#include "reused_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

struct Point {
  double x, y;
};

std::vector<Point> outline(const Model& m, int b) {
  std::vector<Point> points;
  for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
    points.push_back({m.grids.bodyGrid[p][m.layout.bodyLayers][1].bodyGridX,
                      m.grids.bodyGrid[p][m.layout.bodyLayers][1].bodyGridY});
  return points;
}

double cross(Point o, Point a, Point b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Segments ab and cd share a point: their spans meet along both axes (which
// also settles segments on one line, whose turns are zero to rounding), and
// neither lies wholly on one side of the other's line.
bool segmentsMeet(Point a, Point b, Point c, Point d) {
  if (std::max(std::min(a.x, b.x), std::min(c.x, d.x)) >
          std::min(std::max(a.x, b.x), std::max(c.x, d.x)) ||
      std::max(std::min(a.y, b.y), std::min(c.y, d.y)) >
          std::min(std::max(a.y, b.y), std::max(c.y, d.y)))
    return false;
  const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  return ((d1 <= 0 && d2 >= 0) || (d1 >= 0 && d2 <= 0)) &&
         ((d3 <= 0 && d4 >= 0) || (d3 >= 0 && d4 <= 0));
}

// Ray casting: p inside the closed polygon (last point on the first).
bool inside(Point p, const std::vector<Point>& polygon) {
  bool in = false;
  for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
    const Point a = polygon[i], b = polygon[i + 1];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
  }
  return in;
}

bool byX(Point p, Point q) {
  return p.x < q.x;
}

bool outlinesOverlap(const std::vector<Point>& a, const std::vector<Point>& b) {
  for (std::size_t i = 0; i + 1 < a.size(); ++i)
    for (std::size_t j = 0; j + 1 < b.size(); ++j)
      if (segmentsMeet(a[i], a[i + 1], b[j], b[j + 1])) return true;
  // No edges meet: they overlap only when one holds the other, which needs
  // its span inside the other's.
  const auto within = [](const std::vector<Point>& in, const std::vector<Point>& out) {
    const auto [inX0, inX1] = std::minmax_element(in.begin(), in.end(), byX);
    const auto [outX0, outX1] = std::minmax_element(out.begin(), out.end(), byX);
    return inX0->x >= outX0->x && inX1->x <= outX1->x && inside(in[0], out);
  };
  return within(a, b) || within(b, a);
}

int bodyNumber(const Model& m, int column, int body) {
  int b = body;
  for (int c = 1; c < column; ++c) b += m.layout.columnBodies[c];
  return b;
}

struct Overlaps : ::testing::Test {
  Model& m = sharedCleanModel();
  FakeWindowServices ws;
  void SetUp() override { setStartupDefaults(m.layout, m.editing, m.view); }
};

TEST_F(Overlaps, EveryPatternAndTheStartUpLayoutAreMade) {
  EXPECT_TRUE(rebuildGrids(m)) << "start-up layout";
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(applyPreset(m, n)) << "pattern " << n;
  EXPECT_TRUE(ws.messages().empty()) << ws.messages()[0];
}

TEST_F(Overlaps, TheReportedLayoutIsRefusedNamingTwoBodiesAndChangesNothing) {
  // The start-up layout with every body an ellipse of size 20 and ratio 3.2:
  // within the arrays, but the ellipses reach into their neighbours.
  ASSERT_TRUE(rebuildGrids(m));
  const LayoutParameters before = m.layout;
  const int bodyPerimeterPoints = m.grids.bodyPerimeterPoints;
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      m.layout.layoutShape[c][k] = shape::ellipse;
      m.layout.layoutSize[c][k] = 20;
    }
  m.layout.ellipseRatio = 3.2;
  EXPECT_EQ(remakeGridsShown(m, ws), LayoutRefusal::overlap);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_NE(ws.messages()[0].find("が重なっています"), std::string::npos) << ws.messages()[0];
  EXPECT_TRUE(m.layout == before);
  EXPECT_EQ(m.grids.bodyPerimeterPoints, bodyPerimeterPoints);
}

TEST_F(Overlaps, EveryVerdictOverLayoutsTheDialogReachesIsConfirmedGeometrically) {
  // Random layouts over the dialog's ranges, each column its own; the
  // refused attempt's grids are kept for the check (no earlier layout is put
  // back when none was made).
  std::mt19937 random(18);
  const auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int made = 0, overlapping = 0, outside = 0;
  for (int sample = 0; sample < 2000; ++sample) {
    setStartupDefaults(m.layout, m.editing, m.view);
    m.grids.hasFittedLayout = false;
    m.layout.nColumns = pick(1, 6);
    m.layout.ellipseRatio = 0.2 * pick(1, 20);
    m.layout.layoutRotation = pick(-90, 90);
    for (int c = 1; c <= m.layout.nColumns; ++c) {
      m.layout.columnBodies[c] = pick(1, 5);
      m.layout.columnSpacing[c] = pick(18, 40);
      const int shapeCode = pick(shape::circle, shape::ellipse), size = pick(5, 20);
      const int turn = pick(-180, 180);
      for (int k = 1; k <= 5; ++k) {
        m.layout.layoutShape[c][k] = shapeCode;
        m.layout.layoutSize[c][k] = size;
        m.layout.layoutAngle[c][k] = turn;
      }
    }
    ws.calls.clear();
    const LayoutRefusal verdict = remakeGridsShown(m, ws);
    if (verdict == LayoutRefusal::capacity) continue;
    std::vector<std::vector<Point>> outlines;
    for (int b = 1; b <= m.grids.nBodies; ++b) outlines.push_back(outline(m, b));
    if (verdict == LayoutRefusal::none) {
      ++made;
      for (int a = 0; a < m.grids.nBodies; ++a) {
        for (int b = a + 1; b < m.grids.nBodies; ++b)
          ASSERT_FALSE(outlinesOverlap(outlines[a], outlines[b]))
              << "sample " << sample << ": bodies " << a + 1 << " and " << b + 1 << " overlap";
        for (const Point& p : outlines[a])
          ASSERT_TRUE(p.x >= m.grids.mainGrid[1][1].mainGridX &&
                      p.x <= m.grids.mainGrid[m.grids.mainNx][1].mainGridX &&
                      p.y >= m.grids.mainGrid[1][1].mainGridY &&
                      p.y <= m.grids.mainGrid[1][m.grids.mainNy].mainGridY)
              << "sample " << sample << ": body " << a + 1 << " out of the channel";
      }
      continue;
    }
    // Refused: the message names a body and what it meets.
    const std::string message = ws.messages().at(0);
    int c1 = 0, k1 = 0, c2 = 0, k2 = 0;
    if (std::sscanf(message.c_str(), "列 %d の物体 %d と列 %d の物体 %d", &c1, &k1, &c2, &k2) ==
        4) {
      ++overlapping;
      EXPECT_TRUE(
          outlinesOverlap(outlines[bodyNumber(m, c1, k1) - 1], outlines[bodyNumber(m, c2, k2) - 1]))
          << "sample " << sample << ": " << message;
    } else {
      ASSERT_EQ(std::sscanf(message.c_str(), "列 %d の物体 %d", &c1, &k1), 2) << message;
      ++outside;
      // The channel ends at the main grid's last column, within one grid
      // spacing of x = 155 (the body edges fix the rest of its rectangle).
      double reach = -1e9;
      for (const Point& p : outlines[bodyNumber(m, c1, k1) - 1]) reach = std::max(reach, p.x);
      EXPECT_GT(reach, 155 - 1.25) << "sample " << sample << ": " << message;
    }
  }
  // The walk must see all three verdicts to mean anything.
  EXPECT_GT(made, 100);
  EXPECT_GT(overlapping, 50);
  EXPECT_GT(outside, 5);
}

} // namespace
