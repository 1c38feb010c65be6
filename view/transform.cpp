#include "view/transform.h"

#include "view/outline.h"

#include <algorithm>

void placeLayoutOnBitmap(Model& m, const DrawingSurface& bitmap) {
  m.view.particleState = 1;
  mapToPixels(m, bitmap);
}

void centreViewAtStart(const LayoutParameters& layout, const Grids& grids, ViewState& view) {
  view.viewCentreX = grids.columnBody[layout.nColumns][1].columnBodyX / 2 - 10;
}

namespace {
// The layout y at the bitmap's middle row.  A square bitmap counts as not
// wider than high.
double middleY(const Model& m, const DrawingSurface& bitmap) {
  return bitmap.width() > bitmap.height() ? m.view.viewCentreY : m.view.viewCentreY - 20;
}
} // namespace

LayoutPoint pixelToLayout(const Model& m, const DrawingSurface& bitmap, double px, double py) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  return {(px - cx) / m.view.viewScale + m.view.viewCentreX,
          -(py - cy) / m.view.viewScale + middleY(m, bitmap)};
}

void resetView(const LayoutParameters& layout, const Grids& grids, ViewState& view) {
  setStartupView(view);
  centreViewAtStart(layout, grids, view);
}

bool fitViewToLayout(Model& m, const DrawingSurface& bitmap, int topHidden, int shownHeight) {
  if (m.grids.mainNy < 1 || m.grids.nBodies < 1) return false;
  double xLow = m.grids.bodyGrid[m.grids.bodyFirst[1]][1][1].bodyGridX, xHigh = xLow;
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p) {
      xLow = std::min(xLow, m.grids.bodyGrid[p][1][1].bodyGridX);
      xHigh = std::max(xHigh, m.grids.bodyGrid[p][1][1].bodyGridX);
    }
  const double yLow = m.grids.mainGrid[1][1].mainGridY,
               yHigh = m.grids.mainGrid[1][m.grids.mainNy].mainGridY;
  constexpr int margin = 4;
  const int w = bitmap.width(), h = std::min(bitmap.height(), shownHeight);
  const LayoutPoint topLeft = pixelToLayout(m, bitmap, margin, topHidden + margin);
  const LayoutPoint bottomRight = pixelToLayout(m, bitmap, w - 1 - margin, h - 1 - margin);
  if (xLow >= topLeft.x && xHigh <= bottomRight.x && yLow >= bottomRight.y && yHigh <= topLeft.y)
    return false;
  const double usableWidth = w - 1 - 2 * margin, usableHeight = h - 1 - topHidden - 2 * margin;
  if (usableWidth <= 0 || usableHeight <= 0) return false;
  m.view.viewScale =
      std::min({m.view.viewScale, usableWidth / (xHigh - xLow), usableHeight / (yHigh - yLow)});
  m.view.viewCentreX = (xLow + xHigh) / 2 + ((w - 1) / 2.0 - w / 2) / m.view.viewScale;
  // The walls' middle on the middle row of the part below the strip.
  const double shownMiddleRow = (topHidden + h - 1) / 2.0;
  const double y0 = (yLow + yHigh) / 2 + (shownMiddleRow - bitmap.height() / 2) / m.view.viewScale;
  m.view.viewCentreY = w > bitmap.height() ? y0 : y0 + 20;
  return true;
}

void mapToPixels(Model& m, const DrawingSurface& bitmap) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  const double y0 = middleY(m, bitmap);
  const double xc = m.view.viewCentreX, scale = m.view.viewScale;
  auto pixX = [&](double x) { return (x - xc) * scale + cx; };
  auto pixY = [&](double y) { return -(y - y0) * scale + cy; };

  const int pEnd = m.grids.nBodies >= 1 ? std::min(m.grids.bodyLast[m.grids.nBodies] + 1,
                                                   m.grids.bodyGrid.extent1() - 1)
                                        : 0;
  for (int r = 1; r <= m.layout.bodyLayers; ++r)
    for (int p = 1; p <= pEnd; ++p) {
      const AuxPoint& q = m.grids.bodyGrid[p][r][1];
      m.pixels.body[p][r][1] = {pixX(q.bodyGridX), pixY(q.bodyGridY)};
    }
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      const MainPoint& q = m.grids.mainGrid[i][j];
      m.pixels.main[i][j] = {pixX(q.mainGridX), pixY(q.mainGridY)};
    }
  for (int b = 1; b <= m.grids.nBodies; ++b)
    m.pixels.bodyCentre[b] = {pixX(m.grids.body[b].bodyX), pixY(m.grids.body[b].bodyY)};
  for (int c = 1; c <= m.layout.nColumns; ++c)
    for (int k = 1; k <= m.layout.columnBodies[c]; ++k) {
      const ColumnBodyPosition& q = m.grids.columnBody[c][k];
      m.pixels.columnBody[c][k] = {pixX(q.columnBodyX), pixY(q.columnBodyY)};
    }
}

void changeView(Model& m, ViewSurfaces& s, ViewChange change, bool wholeLayoutChosen) {
  fillWhite(s.bitmap);
  switch (change) {
  case ViewChange::centreXPlus:
    m.view.viewCentreX = m.view.viewCentreX + 4;
    break;
  case ViewChange::centreXMinus:
    m.view.viewCentreX = m.view.viewCentreX - 4;
    break;
  case ViewChange::centreYPlus:
    m.view.viewCentreY = m.view.viewCentreY + 4;
    break;
  case ViewChange::centreYMinus:
    m.view.viewCentreY = m.view.viewCentreY - 4;
    break;
  case ViewChange::zoomOut:
    m.view.viewScale = m.view.viewScale / 1.05;
    break;
  case ViewChange::zoomIn:
    m.view.viewScale = m.view.viewScale * 1.05;
    break;
  }
  placeLayoutOnBitmap(m, s.bitmap);
  drawLayoutPicture(m, s.bitmap, wholeLayoutChosen);
  s.copyBitmapToWindow();
}
