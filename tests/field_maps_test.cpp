#include "view/field_maps.h"
#include "view/transform.h"

#include "fake_window_services.h"
#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A synthetic model with its main grid in solver units (mainDx = mainSpacing/16) and
// an auxiliary grid whose metrics are those of a Cartesian patch of spacing
// h: x = h·ξ, y = h·η, so xXi = yEta = h, yXi = xEta = 0, jac = h².
struct Flow {
  std::unique_ptr<Model> m = syntheticModel();
  FakeWindowServices ws;
  ViewSurfaces s;
  static constexpr double h = 0.25;
  Flow() {
    m->constants.mainDx = m->grids.mainSpacing / 16;
    m->constants.mainDx2 = m->constants.mainDx * m->constants.mainDx;
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
    for (int p = 1; p <= m->grids.bodyLast[1] + 1; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r) {
        auto& g = m->grids.bodyMetric[p][r][1];
        g[1] = h, g[2] = 0, g[3] = 0, g[4] = h, g[5] = h * h;
      }
  }
  // Velocity (u, v) as a function of solver-unit position on both grids.
  template <typename Velocity> void setVelocity(Velocity vel) {
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j) {
        const auto [u, v] =
            vel(m->grids.mainGrid[i][j].mainGridX / 16, m->grids.mainGrid[i][j].mainGridY / 16);
        m->solution.mainFlow[i][j][slot::u] = u;
        m->solution.mainFlow[i][j][slot::v] = v;
      }
    for (int p = 1; p <= m->grids.bodyLast[1] + 1; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r) {
        const auto [u, v] = vel(h * p, h * r);
        m->solution.bodyFlow[p][r][1][slot::u] = u;
        m->solution.bodyFlow[p][r][1][slot::v] = v;
      }
  }
  void expectOmega(double want, const char* what) {
    for (int i = 1; i <= m->grids.mainNx; ++i)
      for (int j = 1; j <= m->grids.mainNy; ++j)
        ASSERT_NEAR(m->solution.mainFlow[i][j][slot::omega], want, 1e-9)
            << what << " at main (" << i << ", " << j << ")";
    for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
      for (int r = 1; r <= m->layout.bodyLayers; ++r)
        ASSERT_NEAR(m->solution.bodyFlow[p][r][1][slot::omega], want, 1e-9)
            << what << " at aux (" << p << ", " << r << ")";
  }
};

struct Velocity {
  double u, v;
};

} // namespace

TEST(Vorticity, KnownFieldsIncludingTheOneSidedBoundaries) {
  Flow f;
  f.setVelocity([](double, double) { return Velocity{0.3, 0}; });
  computeVorticity(f.m->layout, f.m->constants, f.m->grids, f.m->solution);
  f.expectOmega(0, "uniform flow");
  f.setVelocity([](double, double y) { return Velocity{y, 0}; });
  computeVorticity(f.m->layout, f.m->constants, f.m->grids, f.m->solution);
  f.expectOmega(1, "shear u = y");
  f.setVelocity([](double x, double y) { return Velocity{-y, x}; });
  computeVorticity(f.m->layout, f.m->constants, f.m->grids, f.m->solution);
  f.expectOmega(-2, "solid rotation");
  f.setVelocity([](double x, double y) { return Velocity{x * x, y * y + 3 * x}; });
  computeVorticity(f.m->layout, f.m->constants, f.m->grids, f.m->solution);
  EXPECT_NEAR(f.m->solution.mainFlow[1][1][slot::omega], -3, 1e-9)
      << "second-order one-sided differences";
}

TEST(FieldMaps, SequenceOfTextsAndTheBoundaryMask) {
  const struct {
    PlotCaption (*draw)(const FieldMapState&, ViewSurfaces&);
    const char* text;
  } maps[] = {{drawVorticityMap, "　渦度分布図"},
              {drawPressureMap, "　圧力分布図"},
              {drawDensityMap, "　密度分布図"}};
  for (const auto& map : maps) {
    Flow f;
    f.setVelocity([](double x, double y) { return Velocity{0.05 + 0.01 * y, 0.01 * x}; });
    for (int i = 1; i <= f.m->grids.mainNx; ++i)
      for (int j = 1; j <= f.m->grids.mainNy; ++j) {
        f.m->solution.mainFlow[i][j][slot::pres] = 1 + 0.001 * i;
        f.m->solution.mainFlow[i][j][slot::rho] = 1 + 0.001 * j;
        f.m->solution.mainFlow[i][j][slot::dt] = (i + j) % 3 == 0 ? 0 : 0.5; // some holes
      }
    f.ws.calls.clear();
    showPlotCaption(f.ws, map.draw(*f.m, f.s));
    ASSERT_EQ(f.ws.calls.size(), 3u);
    EXPECT_EQ(f.ws.calls[0].what, "checkbox");
    EXPECT_EQ(f.ws.calls[1].what, "checkbox");
    EXPECT_EQ(f.ws.statusTexts(0), std::vector<std::string>{map.text});
    // Outermost rows and columns back to 0, the interior untouched.
    EXPECT_EQ(f.m->solution.mainFlow[1][5][slot::dt], 0);
    EXPECT_EQ(f.m->solution.mainFlow[f.m->grids.mainNx][5][slot::dt], 0);
    EXPECT_EQ(f.m->solution.mainFlow[5][1][slot::dt], 0);
    EXPECT_EQ(f.m->solution.mainFlow[5][f.m->grids.mainNy][slot::dt], 0);
    EXPECT_EQ(f.m->solution.mainFlow[5][5][slot::dt], 0.5);
    EXPECT_EQ(f.m->solution.mainFlow[5][4][slot::dt], 0);
    // The picture reached the window, and the body is white inside.
    EXPECT_EQ(f.s.window.pixel(300, 100), f.s.bitmap.pixel(300, 100));
    EXPECT_EQ(f.s.window.pixel(350, 226), kWhite);
  }
}

TEST(FieldMaps, PressureMapOfAFieldAtRest) {
  Flow f;
  for (int i = 1; i <= f.m->grids.mainNx; ++i)
    for (int j = 1; j <= f.m->grids.mainNy; ++j) f.m->solution.mainFlow[i][j][slot::pres] = 1;
  for (int p = 1; p <= f.m->grids.bodyLast[1] + 1; ++p)
    for (int r = 1; r <= f.m->layout.bodyLayers; ++r)
      f.m->solution.bodyFlow[p][r][1][slot::pres] = 1;
  for (bool fill : {false, true}) {
    f.m->view.fillContours = fill;
    (void)drawPressureMap(*f.m, f.s);
    EXPECT_EQ(f.m->view.scaleLow, 1);
    EXPECT_EQ(f.m->view.scaleHigh, 1);
    // Nothing crosses a zero-width range: only the overlay is drawn.
    const PixelPosition& mid = f.m->pixels.main[8][8];
    EXPECT_EQ(f.s.bitmap.pixel(roundHalfAway(mid.x), roundHalfAway(mid.y)), kWhite);
  }
}

TEST(FieldMaps, DivergedFieldDrawsWithoutGarbage) {
  Flow f;
  f.setVelocity([](double, double y) { return Velocity{0.05 + 0.01 * y * y, 0}; });
  for (int i = 1; i <= f.m->grids.mainNx; ++i)
    for (int j = 1; j <= f.m->grids.mainNy; ++j) {
      f.m->solution.mainFlow[i][j][slot::pres] = 1 + 0.01 * i;
      f.m->solution.mainFlow[i][j][slot::dt] = 1;
    }
  f.m->solution.mainFlow[20][10][slot::pres] = NAN;
  f.m->solution.mainFlow[21][10][slot::pres] = INFINITY;
  f.m->solution.mainFlow[22][12][slot::u] = NAN;
  f.m->view.fillContours = true;
  const PixelPosition& q = f.m->pixels.main[5][10];
  const int x = roundHalfAway(q.x) + 2, y = roundHalfAway(q.y) + 2;
  (void)drawPressureMap(*f.m, f.s);
  EXPECT_NEAR(f.m->view.scaleHigh, 1 + 0.01 * f.m->grids.mainNx, 1e-12)
      << "range from the finite values";
  EXPECT_NE(f.s.bitmap.pixel(x, y), kWhite) << "the map away from the damage";
  (void)drawVorticityMap(*f.m, f.s);
  EXPECT_TRUE(std::isfinite(f.m->view.scaleLow) && std::isfinite(f.m->view.scaleHigh));
  EXPECT_NE(f.s.bitmap.pixel(x, y), kWhite) << "the map away from the damage";
}
