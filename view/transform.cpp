#include "view/transform.h"

#include "view/outline.h"

#include <algorithm>

void placeLayoutOnBitmap(Model& m, const DrawingSurface& bitmap) {
  m.particleState = 1;
  mapToPixels(m, bitmap);
}

void centreViewAtStart(Model& m) {
  m.viewCentreX = m.columnBody[m.nColumns][1].columnBodyX / 2 - 10;
}

namespace {
// The layout y at the bitmap's middle row.  A square bitmap counts as not
// wider than high.
double middleY(const Model& m, const DrawingSurface& bitmap) {
  return bitmap.width() > bitmap.height() ? m.viewCentreY : m.viewCentreY - 20;
}
} // namespace

LayoutPoint pixelToLayout(const Model& m, const DrawingSurface& bitmap, double px, double py) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  return {(px - cx) / m.viewScale + m.viewCentreX, -(py - cy) / m.viewScale + middleY(m, bitmap)};
}

void resetView(Model& m) {
  setStartupView(m);
  centreViewAtStart(m);
}

bool fitViewToLayout(Model& m, const DrawingSurface& bitmap, int topHidden, int shownHeight) {
  if (m.mainNy < 1 || m.nBodies < 1) return false;
  double xLow = m.bodyGrid[m.bodyFirst[1]][1][1].bodyGridX, xHigh = xLow;
  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
      xLow = std::min(xLow, m.bodyGrid[p][1][1].bodyGridX);
      xHigh = std::max(xHigh, m.bodyGrid[p][1][1].bodyGridX);
    }
  const double yLow = m.mainGrid[1][1].mainGridY, yHigh = m.mainGrid[1][m.mainNy].mainGridY;
  constexpr int margin = 4;
  const int w = bitmap.width(), h = std::min(bitmap.height(), shownHeight);
  const LayoutPoint topLeft = pixelToLayout(m, bitmap, margin, topHidden + margin);
  const LayoutPoint bottomRight = pixelToLayout(m, bitmap, w - 1 - margin, h - 1 - margin);
  if (xLow >= topLeft.x && xHigh <= bottomRight.x && yLow >= bottomRight.y && yHigh <= topLeft.y)
    return false;
  const double usableWidth = w - 1 - 2 * margin, usableHeight = h - 1 - topHidden - 2 * margin;
  if (usableWidth <= 0 || usableHeight <= 0) return false;
  m.viewScale =
      std::min({m.viewScale, usableWidth / (xHigh - xLow), usableHeight / (yHigh - yLow)});
  m.viewCentreX = (xLow + xHigh) / 2 + ((w - 1) / 2.0 - w / 2) / m.viewScale;
  // The walls' middle on the middle row of the part below the strip.
  const double shownMiddleRow = (topHidden + h - 1) / 2.0;
  const double y0 = (yLow + yHigh) / 2 + (shownMiddleRow - bitmap.height() / 2) / m.viewScale;
  m.viewCentreY = w > bitmap.height() ? y0 : y0 + 20;
  return true;
}

void mapToPixels(Model& m, const DrawingSurface& bitmap) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  const double y0 = middleY(m, bitmap);
  const double xc = m.viewCentreX, scale = m.viewScale;
  auto pixX = [&](double x) { return (x - xc) * scale + cx; };
  auto pixY = [&](double y) { return -(y - y0) * scale + cy; };

  const int pEnd =
      m.nBodies >= 1 ? std::min(m.bodyLast[m.nBodies] + 1, m.bodyGrid.extent1() - 1) : 0;
  for (int r = 1; r <= m.bodyLayers; ++r)
    for (int p = 1; p <= pEnd; ++p) {
      AuxPoint& q = m.bodyGrid[p][r][1];
      q.bodyGridPixX = pixX(q.bodyGridX);
      q.bodyGridPixY = pixY(q.bodyGridY);
    }
  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) {
      MainPoint& q = m.mainGrid[i][j];
      q.mainGridPixX = pixX(q.mainGridX);
      q.mainGridPixY = pixY(q.mainGridY);
    }
  for (int b = 1; b <= m.nBodies; ++b) {
    m.body[b].bodyPixX = pixX(m.body[b].bodyX);
    m.body[b].bodyPixY = pixY(m.body[b].bodyY);
  }
  for (int c = 1; c <= m.nColumns; ++c)
    for (int k = 1; k <= m.columnBodies[c]; ++k) {
      ColumnBodyPosition& q = m.columnBody[c][k];
      q.columnBodyPixX = pixX(q.columnBodyX);
      q.columnBodyPixY = pixY(q.columnBodyY);
    }
}

void changeView(Model& m, ViewSurfaces& s, ViewChange change, bool wholeLayoutChosen) {
  fillWhite(s.bitmap);
  switch (change) {
  case ViewChange::centreXPlus:
    m.viewCentreX = m.viewCentreX + 4;
    break;
  case ViewChange::centreXMinus:
    m.viewCentreX = m.viewCentreX - 4;
    break;
  case ViewChange::centreYPlus:
    m.viewCentreY = m.viewCentreY + 4;
    break;
  case ViewChange::centreYMinus:
    m.viewCentreY = m.viewCentreY - 4;
    break;
  case ViewChange::zoomOut:
    m.viewScale = m.viewScale / 1.05;
    break;
  case ViewChange::zoomIn:
    m.viewScale = m.viewScale * 1.05;
    break;
  }
  placeLayoutOnBitmap(m, s.bitmap);
  drawLayoutPicture(m, s.bitmap, wholeLayoutChosen);
  s.copyBitmapToWindow();
}
