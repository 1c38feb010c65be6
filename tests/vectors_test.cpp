#include "view/colour_scale.h"
#include "view/vectors.h"

#include "fake_window_services.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A main grid of nx x ny points and one body of a single auxiliary column
// (p = 2, layers 1..2), every point placed far off the bitmap; tests move the
// points they look at onto it.
struct Bare {
  std::unique_ptr<Model> m = makeModel();
  DrawingSurface s{400, 400};
  FakeWindowServices ws;
  explicit Bare(int nx = 12, int ny = 3) {
    m->grids.mainNx = nx;
    m->grids.mainNy = ny;
    sizeMainGrid(m->grids, m->pixels, m->coupling, m->solution, m->scratch, nx, ny);
    m->grids.outletLow = m->grids.outletHigh = 2;
    for (int i = 1; i <= nx; ++i)
      for (int j = 1; j <= ny; ++j) m->pixels.main[i][j] = {-5000, -5000};
    m->grids.nBodies = 1;
    m->layout.bodyLayers = 2;
    m->grids.bodyFirst[1] = m->grids.bodyLast[1] = 2;
    sizeBodyGrids(m->layout, m->grids, m->pixels, m->solution, m->scratch, 3);
    m->pixels.bodyCentre[1] = {-5000, -5000};
    for (int p = 1; p <= 3; ++p)
      for (int r = 1; r <= 2; ++r) m->pixels.body[p][r][1] = {-5000, -5000};
  }
  void mainPoint(int i, int j, double x, double y, double u, double v) {
    m->pixels.main[i][j].x = x;
    m->pixels.main[i][j].y = y;
    m->solution.mainFlow[i][j][slot::u] = u;
    m->solution.mainFlow[i][j][slot::v] = v;
    m->solution.mainFlow[i][j][slot::dt] = 1;
  }
};

} // namespace

TEST(VelocityVectors, ArrowGeometryOfTheWorkedExample) {
  Bare b;
  b.mainPoint(2, 2, 100, 100, 1, 0);
  b.m->view.scaleLow = 0;
  b.m->view.scaleHigh = 2.5; // bins of 0.125: the speed 1 lies on the edge 2.5 - 12 bins
  showPlotCaption(b.ws, drawVelocityVectors(b.m->layout, b.m->grids, b.m->pixels, b.m->solution,
                                            b.m->view, b.s, 2));
  const Colour c = 0xF2FF0D; // the ramp at 0.875 of [0, 2.5]: 13 steps from cyan towards yellow
  for (int x = 100; x <= 160; ++x) EXPECT_EQ(b.s.pixel(x, 100), c) << "shaft and tip at x " << x;
  EXPECT_EQ(b.s.pixel(161, 100), kWhite);
  const int head[][2] = {{157, 103}, {158, 102}, {159, 101}, {159, 99}, {158, 98}};
  for (const auto& h : head) EXPECT_EQ(b.s.pixel(h[0], h[1]), c) << h[0] << "," << h[1];
  EXPECT_EQ(b.s.pixel(157, 97), kWhite) << "the second barb ends before its end pixel";
  EXPECT_EQ(b.ws.statusPanel[0], "　速度ベクトル図");
}

TEST(VelocityVectors, ColourBinsOfTheSpeed) {
  // The colours are those of the ramp over [0, scaleHigh] at the lower edge
  // of the speed's bin (0.95 of 1: 217 steps from yellow towards red; 4.25 of
  // 5: 140 steps; 4.5 of 5: 178 steps), or red.
  const struct {
    double speed, scaleHigh;
    Colour want; // 0x00BBGGRR
    const char* what;
  } cases[] = {
      {1.0, 1.0, 0x0026FF, "exactly scaleHigh: the bin below it, edge 0.95"},
      {4.5, 5.0, 0x0073FF, "on a shared edge the lower bin wins, edge 4.25"},
      {4.6, 5.0, 0x004DFF, "inside a bin: its lower edge 4.5"},
      {1.2, 1.0, kRed, "above scaleHigh: red"},
  };
  Bare b;
  for (const auto& c : cases) {
    fillWhite(b.s);
    b.mainPoint(2, 2, 30, 100, c.speed, 0);
    b.m->view.scaleLow = 0;
    b.m->view.scaleHigh = c.scaleHigh;
    (void)drawVelocityVectors(b.m->layout, b.m->grids, b.m->pixels, b.m->solution, b.m->view, b.s,
                              1);
    EXPECT_EQ(b.s.pixel(31, 100), c.want) << c.what;
  }
}

TEST(VelocityVectors, PointsWithoutAnArrow) {
  Bare b;
  b.mainPoint(2, 2, 100, 100, 0, 0);
  b.mainPoint(3, 2, 100, 200, NAN, 0.1);
  b.mainPoint(4, 2, 100, 300, INFINITY, 0);
  b.m->view.scaleHigh = 1;
  (void)drawVelocityVectors(b.m->layout, b.m->grids, b.m->pixels, b.m->solution, b.m->view, b.s, 1);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(b.s.pixel(x, y), kWhite) << x << "," << y;
}

TEST(VelocityVectors, AuxiliaryArrowsUnlessModeTwo) {
  for (int mode : {1, 2}) {
    Bare b;
    b.m->pixels.body[2][1][1].x = 300;
    b.m->pixels.body[2][1][1].y = 300;
    b.m->solution.bodyFlow[2][1][1][slot::v] = 0.5;
    b.m->view.scaleHigh = 1;
    (void)drawVelocityVectors(b.m->layout, b.m->grids, b.m->pixels, b.m->solution, b.m->view, b.s,
                              mode);
    EXPECT_EQ(b.s.pixel(300, 280) != kWhite, mode != 2) << "mode " << mode;
  }
}

TEST(VelocityVectors, SpeedsAboveNinetyPercentOfTheLargestAreRed) {
  Bare b;
  b.mainPoint(2, 2, 20, 100, 1.0, 0);
  b.mainPoint(2, 3, 20, 200, 0.5, 0);
  findSpeedRange(b.m->layout, b.m->grids, b.m->solution, b.m->view, 0.9);
  EXPECT_DOUBLE_EQ(b.m->view.scaleHigh, 0.9);
  (void)drawVelocityVectors(b.m->layout, b.m->grids, b.m->pixels, b.m->solution, b.m->view, b.s, 2);
  EXPECT_EQ(b.s.pixel(21, 100), kRed);
  EXPECT_NE(b.s.pixel(21, 200), kRed);
  EXPECT_NE(b.s.pixel(21, 200), kWhite);
}
