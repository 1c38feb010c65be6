#include "view/surface.h"
#include "view/surfaces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixelsOf(const DrawingSurface& s, Colour c) {
  PixelSet out;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) == c) out.insert({x, y});
  return out;
}

struct LineCase {
  const char* name;
  int x0, y0, x1, y1;
};

} // namespace

TEST(DrawingSurface, LineToPaintsUpToButNotItsEndPixel) {
  const LineCase cases[] = {
      {"horizontal right", 2, 5, 12, 5}, {"horizontal left", 12, 5, 2, 5},
      {"vertical down", 4, 1, 4, 15},    {"vertical up", 4, 15, 4, 1},
      {"diagonal", 8, 8, 12, 12},        {"anti-diagonal", 8, 12, 12, 8},
      {"shallow", 1, 2, 18, 7},          {"steep", 3, 1, 9, 18},
      {"steep backwards", 9, 18, 3, 1},  {"single step", 5, 5, 6, 6},
  };
  for (const auto& c : cases) {
    DrawingSurface s(20, 20);
    s.setPen(kRed);
    s.moveTo(c.x0, c.y0);
    s.lineTo(c.x1, c.y1);
    const PixelSet red = pixelsOf(s, kRed);
    const int steps = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
    EXPECT_EQ(static_cast<int>(red.size()), steps) << c.name;
    EXPECT_TRUE(red.count({c.x0, c.y0})) << c.name << ": start pixel painted";
    EXPECT_FALSE(red.count({c.x1, c.y1})) << c.name << ": end pixel left out";
  }
}

TEST(DrawingSurface, LinesReachingFarOutsideAreClipped) {
  DrawingSurface s(30, 20);
  s.setPen(kBlue);
  s.moveTo(-1000000000, 7);
  s.lineTo(1000000000, 7);
  for (int x = 0; x < 30; ++x) EXPECT_EQ(s.pixel(x, 7), kBlue) << "x " << x;
  EXPECT_EQ(pixelsOf(s, kBlue).size(), 30u);

  // Extreme int coordinates do not overflow.
  DrawingSurface e(10, 10);
  e.setPen(kBlue);
  e.moveTo(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  e.lineTo(std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
  EXPECT_LE(pixelsOf(e, kBlue).size(), 10u);
}

TEST(DrawingSurface, ClippingKeepsThePixelsInsideTheBitmap) {
  // The same lines on a large bitmap and on a window into it, shifted so
  // that they run across its edges: the pixels inside must agree.
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 199);
  DrawingSurface large(200, 200), small(60, 50);
  const int ox = 70, oy = 80; // the small bitmap's origin in the large one
  large.setPen(kRed);
  small.setPen(kRed);
  for (int n = 0; n < 300; ++n) {
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    large.moveTo(x0, y0);
    large.lineTo(x1, y1);
    small.moveTo(x0 - ox, y0 - oy);
    small.lineTo(x1 - ox, y1 - oy);
  }
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(small.pixel(x, y), large.pixel(x + ox, y + oy)) << "(" << x << ", " << y << ")";
}

TEST(DrawingSurface, PolygonFillsItsInteriorWithTheBrushAndOutlinesWithThePen) {
  DrawingSurface s(20, 20);
  s.setPen(kBlue);
  s.setBrush(kRed);
  s.polygon({2, 2}, {12, 2}, {12, 12}, {2, 12});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool onEdge = (x == 2 || x == 12) && y >= 2 && y <= 12;
      const bool onTopBottom = (y == 2 || y == 12) && x >= 2 && x <= 12;
      const bool inside = x > 2 && x < 12 && y > 2 && y < 12;
      const Colour want = (onEdge || onTopBottom) ? kBlue : inside ? kRed : kWhite;
      ASSERT_EQ(s.pixel(x, y), want) << "(" << x << ", " << y << ")";
    }

  DrawingSurface t(20, 20);
  t.setPen(kBlue);
  t.setBrush(kRed);
  t.polygon({1, 1}, {17, 1}, {1, 17});
  EXPECT_EQ(t.pixel(4, 4), kRed);
  EXPECT_EQ(t.pixel(1, 9), kBlue) << "left edge in the pen";
  EXPECT_EQ(t.pixel(9, 9), kBlue) << "hypotenuse in the pen";
  EXPECT_EQ(t.pixel(14, 14), kWhite) << "beyond the hypotenuse";
}

TEST(DrawingSurface, SelfCrossingQuadrilateralFillsBothLobes) {
  DrawingSurface s(20, 20);
  s.setPen(kBlue);
  s.setBrush(kRed);
  s.polygon({2, 2}, {16, 16}, {16, 2}, {2, 16}); // a bow tie standing on its points
  EXPECT_EQ(s.pixel(14, 9), kRed);
  EXPECT_EQ(s.pixel(4, 9), kRed);
  EXPECT_EQ(s.pixel(9, 3), kWhite);
  EXPECT_EQ(s.pixel(9, 15), kWhite);
}

TEST(DrawingSurface, RectangleFillsWhateverTheOrderOfItsCorners) {
  const int corners[][4] = {{3, 4, 9, 8}, {9, 8, 3, 4}, {9, 4, 3, 8}, {3, 8, 9, 4}};
  for (const auto& c : corners) {
    DrawingSurface s(12, 12);
    s.setPen(kBlue);
    s.setBrush(kRed);
    s.fillRect(c[0], c[1], c[2], c[3]);
    PixelSet want;
    for (int y = 4; y < 8; ++y)
      for (int x = 3; x < 9; ++x) want.insert({x, y});
    EXPECT_EQ(pixelsOf(s, kRed), want) << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
    EXPECT_TRUE(pixelsOf(s, kBlue).empty()) << "a rectangle has no outline";
  }
  DrawingSurface s(12, 12);
  s.setBrush(kRed);
  s.fillRect(-50, -50, 100, 3);
  s.fillRect(20, 20, 30, 30);
  EXPECT_EQ(pixelsOf(s, kRed).size(), 36u);
}

TEST(DrawingSurface, SetSizeKeepsTheOverlappingPicture) {
  DrawingSurface s(10, 8);
  s.setBrush(kRed);
  s.fill();
  s.setPixel(9, 7, kBlue);
  s.setSize(12, 6);
  EXPECT_EQ(s.width(), 12);
  EXPECT_EQ(s.height(), 6);
  EXPECT_EQ(s.pixel(9, 5), kRed);
  EXPECT_EQ(s.pixel(10, 0), kWhite) << "new columns are white";
  s.setSize(4, 9);
  EXPECT_EQ(s.pixel(3, 5), kRed);
  EXPECT_EQ(s.pixel(3, 6), kWhite) << "rows lost and regained come back white";
}

TEST(DrawingSurface, PixelWordsLieInMemoryAsRedGreenBlueX) {
  DrawingSurface s(2, 1);
  s.setPixel(1, 0, 0x00332211);
  unsigned char bytes[8];
  std::memcpy(bytes, s.bits(), sizeof bytes);
  EXPECT_EQ(bytes[4], 0x11);
  EXPECT_EQ(bytes[5], 0x22);
  EXPECT_EQ(bytes[6], 0x33);
}

TEST(ViewSurfaces, CopyBitmapToWindowCopiesTheOverlapAtTheOrigin) {
  ViewSurfaces v;
  EXPECT_EQ(v.bitmap.width(), 700);
  EXPECT_EQ(v.bitmap.height(), 452);
  v.bitmap.setBrush(kRed);
  v.bitmap.fill();
  v.window.setSize(800, 400);
  v.copyBitmapToWindow();
  EXPECT_EQ(v.window.pixel(699, 399), kRed);
  EXPECT_EQ(v.window.pixel(700, 0), kWhite);
}
