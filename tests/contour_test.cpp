#include "view/contour.h"
#include "view/transform.h"
#include "view/union_paint.h"

#include "fake_window_services.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// Position of a colour along the ramp: 0 blue, 1 cyan, 2 yellow, 3 red; -1 for
// a colour off the ramp (white, black).
double rampPosition(Colour c) {
  const int r = c & 0xFF, g = c >> 8 & 0xFF, b = c >> 16 & 0xFF;
  if (r == 0 && b == 255) return g / 255.0;
  if (g == 255 && r + b == 255) return 1 + r / 255.0;
  if (r == 255 && b == 0 && g < 255) return 2 + (255 - g) / 255.0;
  return -1;
}

// A 12 x 8 main grid seen large (25 pixels a cell), no bodies, holding
// F(i, j) = i in the pressure slot, every point taking part.
struct LinearField {
  std::unique_ptr<Model> m = syntheticModel({.nx = 12, .ny = 8, .ringPoints = 24, .bodyRadius = 1});
  DrawingSurface s{700, 452};
  FakeWindowServices ws;
  LinearField(double low = 1, double high = 12) {
    m->view.viewScale = 20;
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s);
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j) {
        m->solution.mainFlow[i][j][slot::pres] = i;
        m->solution.mainFlow[i][j][slot::dt] = 1;
      }
    m->view.scaleLow = low;
    m->view.scaleHigh = high;
  }
  void draw(int n) {
    drawMainContours(m->solution, m->pixels, m->view, s, 1, m->grids.mainNx, 1, m->grids.mainNy,
                     slot::pres, n);
  }
  // Pixel row through the middle of cell row j.
  int rowY(int j) const {
    return roundHalfAway((m->pixels.main[1][j].y + m->pixels.main[1][j + 1].y) / 2);
  }
  // Pixel column where F = value (between nodes).
  int columnX(double value) const {
    const int i = static_cast<int>(value);
    return roundHalfAway(m->pixels.main[i][1].x +
                         (m->pixels.main[i + 1][1].x - m->pixels.main[i][1].x) * (value - i));
  }
  // The non-white colours met along a pixel row, one entry per run.
  std::vector<Colour> runsAlongRow(int y) const {
    std::vector<Colour> out;
    for (int x = 0; x < s.width(); ++x) {
      const Colour c = s.pixel(x, y);
      if (c != kWhite && (out.empty() || out.back() != c || s.pixel(x - 1, y) == kWhite))
        out.push_back(c);
    }
    return out;
  }
};

} // namespace

TEST(ContourLines, OneLinePerLevelInItsRampColourInOrder) {
  LinearField f;
  // Levels scaleLow - bin + k·bin, k = 1..10: 1, 2.1, ..., 10.9; the first
  // runs through the nodes of column 1 and crosses no edge.
  f.draw(10);
  // Levels 2.1 .. 10.9 on the ramp over [1, 12], whose thirds end at 14/3 and
  // 25/3: blue to cyan, cyan to yellow, yellow to red, 255 steps per third.
  // The levels on a half step (76.5 at 2.1, 127.5 at 6.5, ...) round to the
  // side where their running sum falls.
  const struct {
    double level;
    Colour colour; // 0x00BBGGRR
  } expected[] = {{2.1, 0xFF4D00}, {3.2, 0xFF9900}, {4.3, 0xFFE600},
                  {5.4, 0xCCFF33}, {6.5, 0x80FF7F}, {7.6, 0x33FFCC},
                  {8.7, 0x00E6FF}, {9.8, 0x0099FF}, {10.9, 0x004DFF}};
  const std::vector<Colour> lines = f.runsAlongRow(f.rowY(4));
  ASSERT_EQ(lines.size(), 9u);
  for (int k = 0; k < 9; ++k) {
    const auto& e = expected[k];
    EXPECT_EQ(lines[k], e.colour) << "level " << e.level;
    EXPECT_EQ(f.s.pixel(f.columnX(e.level), f.rowY(4)), e.colour) << "level " << e.level;
  }
}

TEST(ContourLines, MaskedCornerStopsTheLine) {
  LinearField f;
  // Level 5.4 runs through the cells i = 5.  Node (6, 5) is corner C of cell
  // (5, 4) and corner B of cell (5, 5), whose mask the lines do not consult.
  f.m->solution.mainFlow[6][5][slot::dt] = 0;
  f.draw(10);
  const int x = f.columnX(5.4);
  EXPECT_NE(f.s.pixel(x, f.rowY(3)), kWhite);
  EXPECT_EQ(f.s.pixel(x, f.rowY(4)), kWhite) << "the cell with the masked corner C";
  EXPECT_NE(f.s.pixel(x, f.rowY(5)), kWhite);
}

TEST(ContourBands, CoverTheFieldInTheRampsOrder) {
  LinearField f;
  f.m->view.fillContours = true;
  f.draw(20);
  for (int j : {1, 4, 7}) {
    const int y = f.rowY(j);
    double last = -1;
    for (int x = roundHalfAway(f.m->pixels.main[1][1].x);
         x <= roundHalfAway(f.m->pixels.main[12][1].x); ++x) {
      const double at = rampPosition(f.s.pixel(x, y));
      ASSERT_GE(at, 0) << "unpainted or off-ramp pixel at x " << x << ", row " << j;
      ASSERT_GE(at, last) << "colour goes back along the ramp at x " << x << ", row " << j;
      last = at;
    }
    EXPECT_LT(rampPosition(f.s.pixel(f.columnX(1.2), y)), 0.7) << "the lowest band's colour";
    EXPECT_EQ(rampPosition(f.s.pixel(f.columnX(11.8), y)), 3) << "red at the high end";
  }
}

TEST(ContourBands, BlackLinesOnlyWhenAsked) {
  for (bool black : {false, true}) {
    LinearField f;
    f.m->view.fillContours = true;
    f.m->view.blackLines = black;
    f.draw(20);
    int blackPixels = 0;
    for (int x = 0; x < 700; ++x) blackPixels += f.s.pixel(x, f.rowY(4)) == kBlack;
    if (black)
      EXPECT_EQ(blackPixels, 19)
          << "one black line per level but the first, which runs through nodes";
    else
      EXPECT_EQ(blackPixels, 0);
  }
}

TEST(ContourBands, OneExtraBandBelowAndTwoBinsAboveTheRange) {
  LinearField f(4.9, 7.9); // bin 0.15
  f.m->view.fillContours = true;
  f.draw(20);
  const int y = f.rowY(4);
  EXPECT_EQ(f.s.pixel(f.columnX(4.5), y), kWhite) << "below scaleLow - bin";
  EXPECT_EQ(rampPosition(f.s.pixel(f.columnX(4.82), y)), 0) << "extra band below: blue";
  EXPECT_EQ(rampPosition(f.s.pixel(f.columnX(8.0), y)), 3) << "just above: red";
  EXPECT_EQ(f.s.pixel(f.columnX(9.5), y), kWhite) << "more than two bins above";
}

TEST(ContourBands, StopAtHoles) {
  LinearField f;
  for (int i = 5; i <= 8; ++i)
    for (int j = 3; j <= 6; ++j) f.m->solution.mainFlow[i][j][slot::dt] = 0;
  f.m->view.fillContours = true;
  f.draw(20);
  // Cell (6, 4) has every corner in the hole.
  EXPECT_EQ(f.s.pixel(f.columnX(6.5), f.rowY(4)), kWhite);
  EXPECT_NE(f.s.pixel(f.columnX(6.5), f.rowY(1)), kWhite) << "below the hole";
  EXPECT_NE(f.s.pixel(f.columnX(2.5), f.rowY(4)), kWhite) << "beside the hole";
}

TEST(ContourBands, CellsWithNonFiniteValuesAreSkipped) {
  LinearField f;
  for (double bad : {NAN, INFINITY, -INFINITY}) {
    f.m->solution.mainFlow[6][4][slot::pres] = bad;
    for (bool fill : {false, true}) {
      f.m->view.fillContours = fill;
      f.m->view.blackLines = true;
      fillWhite(f.s);
      f.draw(20);
      // The four cells around the node are left out, the others drawn.
      EXPECT_EQ(f.s.pixel(f.columnX(5.5), f.rowY(3)), kWhite) << bad;
      EXPECT_EQ(f.s.pixel(f.columnX(6.5), f.rowY(4)), kWhite) << bad;
      if (fill) {
        EXPECT_NE(f.s.pixel(f.columnX(8.5), f.rowY(4)), kWhite) << bad;
      }
    }
    f.m->solution.mainFlow[6][4][slot::pres] = 6; // the field's own value, F = i
  }
}

TEST(ContourBands, AuxiliaryRingsFollowTheRadialField) {
  LinearField f; // the fixture's ring grid, F = r: layer 1 outside
  const Model& m = *f.m;
  for (int p = m.grids.bodyFirst[1] - 1; p <= m.grids.bodyLast[1] + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r) f.m->solution.bodyFlow[p][r][1][slot::rho] = r;
  f.m->view.scaleLow = 1;
  f.m->view.scaleHigh = 10;
  f.m->view.fillContours = true;
  drawBodyContours(f.m->solution, f.m->pixels, f.m->view, f.s, m.grids.bodyFirst[1],
                   m.grids.bodyLast[1], 1, m.layout.bodyLayers, 1, slot::rho, 20);
  // Along a radial line from the outer edge to the surface the bands rise.
  const PixelPosition& o = m.pixels.body[m.grids.bodyFirst[1] + 3][1][1];
  const PixelPosition& n = m.pixels.body[m.grids.bodyFirst[1] + 3][m.layout.bodyLayers][1];
  double last = -1;
  for (int k = 0; k <= 20; ++k) {
    const double t = (k + 0.5) / 21;
    const double at = rampPosition(
        f.s.pixel(roundHalfAway(o.x + (n.x - o.x) * t), roundHalfAway(o.y + (n.y - o.y) * t)));
    ASSERT_GE(at, last) << "step " << k;
    last = at;
  }
  EXPECT_EQ(last, 3) << "red at the surface";
}

TEST(UnionPainter, SameColouredPolygonsGiveThePixelsOfPaintingEachOnItsOwn) {
  // The band fill paints each cell's pieces and hull as a union (interiors,
  // then each side once); the picture must be the same as polygon() by
  // polygon(), degenerate polygons and repeated points included.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> coord(0, 12), pick(0, 5);
  for (int trial = 0; trial < 300; ++trial) {
    PixelPoint p[8];
    for (auto& q : p) q = {coord(rng) * 2, coord(rng) * 2 + trial % 2};
    p[1] = trial % 3 == 0 ? p[0] : p[1]; // coincident points now and then
    DrawingSurface literal(32, 32), batched(32, 32);
    for (DrawingSurface* s : {&literal, &batched}) {
      s->setPen(kRed);
      s->setBrush(kRed);
    }
    UnionPainter paint(batched, p);
    for (int n = 0; n < 5; ++n) {
      const int a = pick(rng), b = pick(rng), c = pick(rng), d = pick(rng);
      if (n % 2) {
        literal.polygon(p[a], p[b], p[c], p[d]);
        paint.quadrilateral(a, b, c, d);
      } else {
        literal.polygon(p[a], p[b], p[c]);
        paint.triangle(a, b, c);
      }
    }
    paint.finish();
    // The hull of m points against all (m - 2)³ combinations.
    const int m = 3 + trial % 6;
    for (int a = 1; a <= m - 2; ++a)
      for (int b = 2; b <= m - 1; ++b)
        for (int c = 3; c <= m; ++c) literal.polygon(p[a - 1], p[b - 1], p[c - 1]);
    paintHull(batched, p, m);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(literal.pixel(x, y), batched.pixel(x, y))
            << "trial " << trial << " (" << x << ", " << y << ")";
  }
}
