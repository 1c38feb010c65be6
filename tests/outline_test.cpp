#include "view/outline.h"
#include "view/transform.h"

#include "fake_window_services.h"
#include "reused_model.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(roundHalfAway, RoundsHalvesAwayFromZeroAndSaturates) {
  const struct {
    double x;
    int want;
  } cases[] = {
      {2.5, 3},    {-2.5, -3}, {0.5, 1},           {-0.5, -1},       {0.49, 0},
      {-1.49, -1}, {-0.0, 0},  {123456.5, 123457}, {1e300, 1 << 30}, {-INFINITY, -(1 << 30)},
      {NAN, 0}};
  for (const auto& c : cases) EXPECT_EQ(roundHalfAway(c.x), c.want) << c.x;
}

TEST(CrossMark, CrossAtTenTenLeavesOutTheEndPixels) {
  DrawingSurface s(20, 20);
  s.setPen(kRed);
  drawCross(s, 10, 10, 2);
  const int painted[][2] = {{8, 8}, {9, 9}, {10, 10}, {11, 11}, {8, 12}, {9, 11}, {11, 9}};
  int count = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) count += s.pixel(x, y) == kRed;
  EXPECT_EQ(count, 7);
  for (const auto& p : painted) EXPECT_EQ(s.pixel(p[0], p[1]), kRed) << p[0] << "," << p[1];
  EXPECT_EQ(s.pixel(12, 12), kWhite);
  EXPECT_EQ(s.pixel(12, 8), kWhite);
}

TEST(ViewPlacement, MapsTheModelAroundTheBitmapCentre) {
  auto m = syntheticModel();
  FakeWindowServices ws;
  DrawingSurface bitmap(700, 452);
  m->view.particleState = 2;
  placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, bitmap);
  showNewViewControls(ws); // as the window follows it
  EXPECT_DOUBLE_EQ(m->pixels.bodyCentre[1].x, 350.0);
  EXPECT_DOUBLE_EQ(m->pixels.bodyCentre[1].y, 226.0);
  EXPECT_NEAR(m->pixels.main[3][4].y - m->pixels.main[4][5].y, 1.25 * 2.95, 1e-12)
      << "y grows upwards";
  EXPECT_DOUBLE_EQ(m->pixels.columnBody[1][1].x, 350.0);
  const int cont = m->grids.bodyLast[1] + 1, layer = m->layout.bodyLayers;
  EXPECT_DOUBLE_EQ(m->pixels.body[cont][layer][1].x,
                   (m->grids.bodyGrid[cont][layer][1].bodyGridX - m->view.viewCentreX) * 2.95 + 350)
      << "continuation slot";
  EXPECT_EQ(m->view.particleState, 1);
  EXPECT_TRUE(ws.checkBoxVisible[1] && ws.checkBoxVisible[2]);
  ASSERT_EQ(ws.calls.size(), 4u);
  EXPECT_EQ(ws.calls[2].a, 1) << "panel 1 is cleared first";
  EXPECT_EQ(ws.calls[3].a, 0);
  EXPECT_EQ(ws.statusPanel[0], "");
}

TEST(ViewPlacement, SquareBitmapShiftsThePictureByTwentyUnits) {
  auto m = syntheticModel();
  const struct {
    int w, h;
    double want;
  } cases[] = {{401, 400, 200.0}, {400, 400, 200.0 - 20 * 2.95}, {400, 401, 200.0 - 20 * 2.95}};
  for (const auto& c : cases) {
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, DrawingSurface(c.w, c.h));
    EXPECT_NEAR(m->pixels.bodyCentre[1].y, c.want, 1e-9) << c.w << " x " << c.h;
  }
}

namespace {

// A narrow channel seen large: 10 rows, so the outlet is open between rows 4 and 7.
std::unique_ptr<Model> tallChannel() {
  auto m = syntheticModel({.nx = 12, .ny = 10, .ringPoints = 24, .bodyRadius = 1.0});
  m->view.viewScale = 20;
  return m;
}

} // namespace

TEST(Outline, RightWallLeavesTheOutletOpen) {
  auto m = tallChannel();
  EXPECT_EQ(m->grids.outletLow, 4);
  EXPECT_EQ(m->grids.outletHigh, 7);
  for (bool whole : {true, false}) {
    DrawingSurface s(700, 452);
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s);
    drawLayoutPicture(m->layout, m->grids, m->pixels, m->editing, s, whole);
    const Colour wall = whole ? kRed : kBlack;
    const int x = roundHalfAway(m->pixels.main[m->grids.mainNx][1].x);
    for (int j = 1; j < m->grids.mainNy; ++j) {
      // The pixel halfway between rows j and j + 1 of the right column.
      const int y = roundHalfAway(
          (m->pixels.main[m->grids.mainNx][j].y + m->pixels.main[m->grids.mainNx][j + 1].y) / 2);
      const bool open = j >= 4 && j < 7;
      EXPECT_EQ(s.pixel(x, y), open ? kWhite : wall) << "between rows " << j << " and " << j + 1;
    }
    // The inflow column is never drawn.
    const int xIn = roundHalfAway(m->pixels.main[1][1].x);
    const int yMid = roundHalfAway(m->pixels.main[1][5].y);
    EXPECT_EQ(s.pixel(xIn, yMid), kWhite);
    EXPECT_EQ(s.pen(), kRed) << "the outline pictures leave the pen red";
  }
}

TEST(Outline, BodiesOnWindowPaintTheWindowSurfaceOnly) {
  auto m = tallChannel();
  ViewSurfaces v;
  placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, v.bitmap);
  drawBodiesOnWindow(m->layout, m->grids, m->pixels, v.window);
  EXPECT_EQ(v.window.pixel(350, 226), kRed);
  EXPECT_EQ(
      v.window.pixel(roundHalfAway(m->pixels.main[5][1].x), roundHalfAway(m->pixels.main[5][1].y)),
      kRed);
  EXPECT_EQ(v.bitmap.pixel(350, 226), kWhite);
  EXPECT_EQ(v.window.brush(), kBlack);
  EXPECT_EQ(v.window.pen(), kWhite);
}

TEST(Outline, DrawUmeWhitensBodiesAndMarginsAndDrawsWallsBlack) {
  auto m = tallChannel();
  DrawingSurface s(700, 452);
  placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s);
  s.setBrush(kBlue);
  s.fill();
  maskBodiesAndWalls(m->layout, m->grids, m->pixels, s);
  EXPECT_EQ(s.pixel(350, 226), kWhite) << "body interior";
  const PixelPosition& low = m->pixels.main[5][1];
  const PixelPosition& high = m->pixels.main[5][m->grids.mainNy];
  EXPECT_EQ(s.pixel(roundHalfAway(low.x), roundHalfAway(low.y)), kBlack) << "lower wall";
  EXPECT_EQ(s.pixel(roundHalfAway(low.x), roundHalfAway(low.y) + 5), kWhite) << "strip below it";
  EXPECT_EQ(s.pixel(roundHalfAway(low.x), roundHalfAway(low.y) + 11), kBlue) << "beyond the strip";
  EXPECT_EQ(s.pixel(roundHalfAway(high.x), roundHalfAway(high.y)), kBlack) << "upper wall";
  EXPECT_EQ(s.pixel(roundHalfAway(high.x), roundHalfAway(high.y) - 5), kWhite) << "strip above it";
  EXPECT_EQ(s.pixel(roundHalfAway(m->pixels.main[m->grids.mainNx][2].x),
                    roundHalfAway(m->pixels.main[m->grids.mainNx][2].y)),
            kBlack);
  EXPECT_EQ(
      s.pixel(roundHalfAway(m->pixels.main[6][5].x), roundHalfAway(m->pixels.main[6][5].y) - 30),
      kBlue)
      << "the channel keeps its colour";
}

TEST(ChangeView, EachButtonChangesItsParameterAndRedrawsTheOutlines) {
  const struct {
    ViewChange change;
    double dx, dy, scale; // expected change of the body centre's pixel, new scale
  } cases[] = {
      {ViewChange::centreXPlus, -4 * 2.95, 0, 2.95}, {ViewChange::centreXMinus, 4 * 2.95, 0, 2.95},
      {ViewChange::centreYPlus, 0, 4 * 2.95, 2.95},  {ViewChange::centreYMinus, 0, -4 * 2.95, 2.95},
      {ViewChange::zoomOut, 0, 0, 2.95 / 1.05},      {ViewChange::zoomIn, 0, 0, 2.95 * 1.05},
  };
  auto m = makeModel();
  for (const auto& c : cases) {
    clearModel(*m);
    fillSyntheticModel(*m);
    m->grids.body[1].bodyY = 2; // off the centre, so that zooming moves it
    ViewSurfaces v;
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, v.bitmap);
    const double x0 = m->pixels.bodyCentre[1].x, y0 = m->pixels.bodyCentre[1].y;
    v.bitmap.setBrush(kBlue);
    v.bitmap.fill();
    changeView(m->layout, m->editing, m->grids, m->view, m->pixels, v, c.change, true);
    EXPECT_DOUBLE_EQ(m->view.viewScale, c.scale);
    if (c.scale == 2.95) {
      EXPECT_NEAR(m->pixels.bodyCentre[1].x - x0, c.dx, 1e-9);
      EXPECT_NEAR(m->pixels.bodyCentre[1].y - y0, c.dy, 1e-9);
    } else {
      EXPECT_NEAR(m->pixels.bodyCentre[1].y - 226, -2 * c.scale, 1e-9);
    }
    EXPECT_EQ(v.bitmap.pixel(5, 5), kWhite) << "the old picture is wiped";
    EXPECT_EQ(v.window.pixel(roundHalfAway(m->pixels.bodyCentre[1].x),
                             roundHalfAway(m->pixels.bodyCentre[1].y)),
              kRed)
        << "the outline picture reached the window";
  }
}
