#include "view/colour_scale.h"

#include "view/transform.h"

#include <algorithm>
#include <cmath>

void defineLevels(ViewState& view) {
  const double step = (view.scaleHigh - view.scaleLow) / 10;
  view.levelValue[0] = view.scaleLow;
  for (int k = 1; k <= 9; ++k) view.levelValue[k] = view.levelValue[k - 1] + step;
  view.levelValue[10] = view.scaleHigh;
}

void findScaleRange(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, ViewState& view, int c) {
  double low = 100.0, high = -100.0;
  auto take = [&](double value) {
    if (!std::isfinite(value)) return;
    low = std::min(low, value);
    high = std::max(high, value);
  };
  const int skip = c == slot::omega ? 10 : 0;
  for (int i = 2; i <= grids.mainNx - skip; ++i)
    for (int j = 1; j <= grids.mainNy; ++j)
      if (solution.mainFlow[i][j][slot::dt] > 0) take(solution.mainFlow[i][j][c]);
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int r = 1; r <= layout.bodyLayers; ++r)
      for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
        take(solution.bodyFlow[p][r][1][c]);
  if (low < 0) {
    low = low * 0.5;
    high = high * 0.5;
  }
  view.scaleLow = low;
  view.scaleHigh = high;
  defineLevels(view);
}

void findSpeedRange(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, ViewState& view, double f) {
  double largest = 0; // the largest squared speed
  auto take = [&](const FlowPoint& q) {
    const double s2 = q[slot::u] * q[slot::u] + q[slot::v] * q[slot::v];
    if (std::isfinite(s2)) largest = std::max(largest, s2);
  };
  for (int i = 2; i <= grids.mainNx - 10; ++i)
    for (int j = 2; j <= grids.mainNy; ++j)
      if (solution.mainFlow[i][j][slot::dt] > 0) take(solution.mainFlow[i][j]);
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int r = 1; r <= layout.bodyLayers; ++r)
      for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p)
        if (solution.bodyFlow[p][r][1][slot::omega] > 0) take(solution.bodyFlow[p][r][1]);
  largest = std::max(largest, 1e-10);
  view.scaleLow = 0;
  view.scaleHigh = f * std::sqrt(largest);
  defineLevels(view);
}

Colour scaleColour(double lo, double hi, double v) {
  const double t1 = (hi + 2 * lo) / 3, t2 = (2 * hi + lo) / 3, s = (hi - lo) / 3;
  // Position of v within its third, 0..255.  In a zero-width range every
  // value above it lies at the top of the last third: red.
  auto ramp = [&](double from) {
    if (s == 0) return 255;
    return std::clamp(roundHalfAway((v - from) * 255 / s), 0, 255);
  };
  int r = 0, g = 0, b = 255;
  if (v > t2) {
    const int k = ramp(t2);
    r = 255, g = 255 - k, b = 0;
  } else if (v > t1) {
    const int k = ramp(t1);
    r = k, g = 255, b = 255 - k;
  } else if (v > lo) {
    const int k = ramp(lo);
    r = 0, g = k, b = 255;
  }
  return clampedColour(r, g, b);
}

void setScaleBrush(const ViewState& view, DrawingSurface& bitmap, double v) {
  bitmap.setBrush(scaleColour(view.scaleLow, view.scaleHigh, v));
  bitmap.setPen(bitmap.brush());
}

Colour clampedColour(int r, int g, int b) {
  auto clampByte = [](int x) { return static_cast<Colour>(std::max(std::min(x, 255), 0)); };
  return clampByte(r) | clampByte(g) << 8 | clampByte(b) << 16;
}
