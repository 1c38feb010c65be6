#include "view/colour_scale.h"

#include "view_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Rgb {
  int r, g, b;
};

Rgb rampColour(double lo, double hi, double v) {
  static const auto m = makeModel();
  DrawingSurface s(1, 1);
  m->scaleLow = lo;
  m->scaleHigh = hi;
  setScaleBrush(*m, s, v);
  EXPECT_EQ(s.pen(), s.brush());
  const Colour c = s.brush();
  return {int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)};
}

// Every main-grid point of a synthetic model set to `value`, taking part (dt > 0).
void fillMain(Model& m, int c, double value) {
  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) {
      m.mainFlow[i][j][c] = value;
      m.mainFlow[i][j][slot::dt] = 1;
    }
}

void fillAux(Model& m, int c, double value) {
  for (int p = m.bodyFirst[1]; p <= m.bodyLast[1]; ++p)
    for (int r = 1; r <= m.bodyLayers; ++r) m.bodyFlow[p][r][1][c] = value;
}

} // namespace

TEST(ColourScale, RampValuesAcrossTheThirds) {
  const struct {
    double v;
    Rgb want;
  } cases[] = {
      {-1, {0, 0, 255}},    {0, {0, 0, 255}},       {0.5, {0, 128, 255}},
      {1, {0, 255, 255}},   {1.5, {128, 255, 127}}, {2, {255, 255, 0}},
      {2.5, {255, 127, 0}}, {3, {255, 0, 0}},       {4, {255, 0, 0}},
  };
  for (const auto& c : cases) {
    const Rgb got = rampColour(0, 3, c.v);
    EXPECT_EQ(got.r, c.want.r) << "v = " << c.v;
    EXPECT_EQ(got.g, c.want.g) << "v = " << c.v;
    EXPECT_EQ(got.b, c.want.b) << "v = " << c.v;
  }
}

TEST(ColourScale, ZeroWidthRangeIsBlueAtAndRedAboveIt) {
  const Rgb at = rampColour(1, 1, 1);
  EXPECT_EQ(at.b, 255);
  EXPECT_EQ(at.r, 0);
  const Rgb above = rampColour(1, 1, 1.5);
  EXPECT_EQ(above.r, 255);
  EXPECT_EQ(above.g, 0);
  EXPECT_EQ(above.b, 0);
}

TEST(ColourScale, ClampedColourKeepsEachChannelWithin0To255) {
  EXPECT_EQ(clampedColour(300, -5, 128), 0x8000FFu);
  EXPECT_EQ(clampedColour(0, 0, 205), 0xCD0000u);
}

TEST(ColourScale, ScaleRangeHalvesANegativeRangeAndBuildsTheLevels) {
  auto m = syntheticModel();
  fillMain(*m, slot::omega, 0);
  fillAux(*m, slot::omega, 0);
  m->mainFlow[5][5][slot::omega] = -8;
  m->bodyFlow[7][3][1][slot::omega] = 6;
  // Ignored: the last 10 columns for the vorticity, masked points, NaN.
  m->mainFlow[m->mainNx - 4][5][slot::omega] = 50;
  m->mainFlow[6][6][slot::omega] = -70;
  m->mainFlow[6][6][slot::dt] = 0;
  m->mainFlow[7][7][slot::omega] = NAN;
  m->bodyFlow[8][3][1][slot::omega] = -INFINITY;
  findScaleRange(*m, slot::omega);
  EXPECT_EQ(m->scaleLow, -4);
  EXPECT_EQ(m->scaleHigh, 3);
  const double want[] = {-4, -3.3, -2.6, -1.9, -1.2, -0.5, 0.2, 0.9, 1.6, 2.3, 3};
  for (int k = 0; k <= 10; ++k) EXPECT_NEAR(m->levelValue[k], want[k], 1e-12) << "level " << k;
  EXPECT_EQ(m->levelValue[10], 3);
  double expect = -4;
  for (int k = 1; k <= 9; ++k) expect = expect + 0.7;
  EXPECT_EQ(m->levelValue[9], expect) << "levels are built by adding the step";
}

TEST(ColourScale, ScaleRangeStartsFromHundredAndMinusHundred) {
  const struct {
    double lowValue, highValue, wantLow, wantHigh;
  } cases[] = {{0.98, 1.02, 0.98, 1.02}, {200, 300, 100, 300}, {-300, -200, -150, -50}};
  auto m = syntheticModel(); // each case fills the slot anew
  for (const auto& c : cases) {
    fillMain(*m, slot::pres, c.lowValue);
    fillAux(*m, slot::pres, c.highValue);
    findScaleRange(*m, slot::pres);
    EXPECT_DOUBLE_EQ(m->scaleLow, c.wantLow) << c.lowValue << ".." << c.highValue;
    EXPECT_DOUBLE_EQ(m->scaleHigh, c.wantHigh) << c.lowValue << ".." << c.highValue;
  }
}

TEST(ColourScale, SpeedRangeTakesTheFractionOfTheLargestUnmaskedSpeed) {
  auto m = syntheticModel();
  findSpeedRange(*m, 0.9);
  EXPECT_EQ(m->scaleLow, 0);
  EXPECT_DOUBLE_EQ(m->scaleHigh, 0.9 * 1e-5) << "everything masked";

  fillMain(*m, slot::u, 0.3);
  fillMain(*m, slot::v, 0.4);
  m->mainFlow[m->mainNx - 5][5][slot::u] = 9; // among the last ten columns
  m->mainFlow[4][1][slot::u] = 9;             // row 1
  m->mainFlow[6][6][slot::u] = NAN;           // not finite
  fillAux(*m, slot::u, 2.0);                  // omega 0: masked
  findSpeedRange(*m, 0.9);
  EXPECT_DOUBLE_EQ(m->scaleHigh, 0.9 * 0.5);
  m->bodyFlow[9][2][1][slot::omega] = 1;
  findSpeedRange(*m, 0.5);
  EXPECT_DOUBLE_EQ(m->scaleHigh, 0.5 * 2.0);
  EXPECT_DOUBLE_EQ(m->levelValue[5], 0.5);
}
