#include "layout/presets.h"

#include "layout/grid_making.h"

namespace {

struct Preset {
  int nColumns;
  int spacing, gap, lastColumnSlot;   // spacing and gap for c = 1..lastColumnSlot
  int columnBodies[kColumnSlots + 1]; // 0 where the preset leaves a slot alone
  int size, sizeColumns, sizeBodies;  // size, shape and angle for c, k in range
  int shapeCode, angle;
  double ellipseRatio; // 0: unchanged
  double viewScale, viewCentreY;
};

// The four arrangements: staggered circles, turned squares in a tighter
// stagger, ellipses in four columns, and a dense field of small circles.
const Preset kPresets[4] = {
    {5, 26, 26, 7, {0, 2, 1, 2, 1, 2, 1, 2, 1}, 14, 8, 7, shape::circle, 0, 0, 2.95, -2.0},
    {5, 31, 26, 7, {0, 2, 3, 2, 3, 2, 3, 2, 3}, 9, 8, 7, shape::square, 45, 0, 2.6, -8.0},
    {4, 28, 32, 6, {0, 4, 3, 4, 3, 4, 3, 0, 0}, 16, 7, 6, shape::ellipse, 0, 1.6, 2.6, -5.0},
    {5, 30, 26, 7, {0, 4, 5, 4, 5, 4, 4, 5, 4}, 9, 8, 7, shape::circle, 0, 0, 2.2, -10.0},
};

} // namespace

bool writePreset(LayoutParameters& layout, ViewState& view, int n) {
  if (n < 1 || n > 4) return false;
  const Preset& p = kPresets[n - 1];
  layout.nColumns = p.nColumns;
  for (int c = 1; c <= p.lastColumnSlot; ++c) {
    layout.columnSpacing[c] = p.spacing;
    layout.columnGap[c] = p.gap;
  }
  for (int c = 1; c <= kColumnSlots; ++c)
    if (p.columnBodies[c] > 0) layout.columnBodies[c] = p.columnBodies[c];
  for (int c = 1; c <= p.sizeColumns; ++c)
    for (int k = 1; k <= p.sizeBodies; ++k) {
      layout.layoutSize[c][k] = p.size;
      layout.layoutShape[c][k] = p.shapeCode;
      layout.layoutAngle[c][k] = p.angle;
    }
  if (p.ellipseRatio > 0) layout.ellipseRatio = p.ellipseRatio;
  view.viewScale = p.viewScale;
  view.viewCentreY = p.viewCentreY;
  return true;
}

bool applyPreset(const GridMakingState& m, int n) {
  return writePreset(m.layout, m.view, n) && rebuildGrids(m);
}
