#include "view/transform.h"

#include "view/outline.h"

#include <algorithm>

void placeLayoutOnBitmap(const LayoutParameters& layout, const Grids& grids, ViewState& view,
                         GridPixels& pixels, const DrawingSurface& bitmap) {
  view.particleState = 1;
  mapToPixels(layout, grids, view, pixels, bitmap);
}

void centreViewAtStart(const LayoutParameters& layout, const Grids& grids, ViewState& view) {
  view.viewCentreX = grids.columnBody[layout.nColumns][1].columnBodyX / 2 - 10;
}

namespace {
// The layout y at the bitmap's middle row.  A square bitmap counts as not
// wider than high.
double middleY(const ViewState& view, const DrawingSurface& bitmap) {
  return bitmap.width() > bitmap.height() ? view.viewCentreY : view.viewCentreY - 20;
}
} // namespace

LayoutPoint pixelToLayout(const ViewState& view, const DrawingSurface& bitmap, double px,
                          double py) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  return {(px - cx) / view.viewScale + view.viewCentreX,
          -(py - cy) / view.viewScale + middleY(view, bitmap)};
}

void resetView(const LayoutParameters& layout, const Grids& grids, ViewState& view) {
  setStartupView(view);
  centreViewAtStart(layout, grids, view);
}

bool fitViewToLayout(const Grids& grids, ViewState& view, const DrawingSurface& bitmap,
                     int topHidden, int shownHeight) {
  if (grids.mainNy < 1 || grids.nBodies < 1) return false;
  double xLow = grids.bodyGrid[grids.bodyFirst[1]][1][1].bodyGridX, xHigh = xLow;
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p) {
      xLow = std::min(xLow, grids.bodyGrid[p][1][1].bodyGridX);
      xHigh = std::max(xHigh, grids.bodyGrid[p][1][1].bodyGridX);
    }
  const double yLow = grids.mainGrid[1][1].mainGridY,
               yHigh = grids.mainGrid[1][grids.mainNy].mainGridY;
  constexpr int margin = 4;
  const int w = bitmap.width(), h = std::min(bitmap.height(), shownHeight);
  const LayoutPoint topLeft = pixelToLayout(view, bitmap, margin, topHidden + margin);
  const LayoutPoint bottomRight = pixelToLayout(view, bitmap, w - 1 - margin, h - 1 - margin);
  if (xLow >= topLeft.x && xHigh <= bottomRight.x && yLow >= bottomRight.y && yHigh <= topLeft.y)
    return false;
  const double usableWidth = w - 1 - 2 * margin, usableHeight = h - 1 - topHidden - 2 * margin;
  if (usableWidth <= 0 || usableHeight <= 0) return false;
  view.viewScale =
      std::min({view.viewScale, usableWidth / (xHigh - xLow), usableHeight / (yHigh - yLow)});
  view.viewCentreX = (xLow + xHigh) / 2 + ((w - 1) / 2.0 - w / 2) / view.viewScale;
  // The walls' middle on the middle row of the part below the strip.
  const double shownMiddleRow = (topHidden + h - 1) / 2.0;
  const double y0 = (yLow + yHigh) / 2 + (shownMiddleRow - bitmap.height() / 2) / view.viewScale;
  view.viewCentreY = w > bitmap.height() ? y0 : y0 + 20;
  return true;
}

void mapToPixels(const LayoutParameters& layout, const Grids& grids, const ViewState& view,
                 GridPixels& pixels, const DrawingSurface& bitmap) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  const double y0 = middleY(view, bitmap);
  const double xc = view.viewCentreX, scale = view.viewScale;
  auto pixX = [&](double x) { return (x - xc) * scale + cx; };
  auto pixY = [&](double y) { return -(y - y0) * scale + cy; };

  const int pEnd = grids.nBodies >= 1
                       ? std::min(grids.bodyLast[grids.nBodies] + 1, grids.bodyGrid.extent1() - 1)
                       : 0;
  for (int r = 1; r <= layout.bodyLayers; ++r)
    for (int p = 1; p <= pEnd; ++p) {
      const AuxPoint& q = grids.bodyGrid[p][r][1];
      pixels.body[p][r][1] = {pixX(q.bodyGridX), pixY(q.bodyGridY)};
    }
  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j) {
      const MainPoint& q = grids.mainGrid[i][j];
      pixels.main[i][j] = {pixX(q.mainGridX), pixY(q.mainGridY)};
    }
  for (int b = 1; b <= grids.nBodies; ++b)
    pixels.bodyCentre[b] = {pixX(grids.body[b].bodyX), pixY(grids.body[b].bodyY)};
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k) {
      const ColumnBodyPosition& q = grids.columnBody[c][k];
      pixels.columnBody[c][k] = {pixX(q.columnBodyX), pixY(q.columnBodyY)};
    }
}

void changeView(const LayoutParameters& layout, const LayoutEditing& editing, const Grids& grids,
                ViewState& view, GridPixels& pixels, ViewSurfaces& s, ViewChange change,
                bool wholeLayoutChosen) {
  fillWhite(s.bitmap);
  switch (change) {
  case ViewChange::centreXPlus:
    view.viewCentreX = view.viewCentreX + 4;
    break;
  case ViewChange::centreXMinus:
    view.viewCentreX = view.viewCentreX - 4;
    break;
  case ViewChange::centreYPlus:
    view.viewCentreY = view.viewCentreY + 4;
    break;
  case ViewChange::centreYMinus:
    view.viewCentreY = view.viewCentreY - 4;
    break;
  case ViewChange::zoomOut:
    view.viewScale = view.viewScale / 1.05;
    break;
  case ViewChange::zoomIn:
    view.viewScale = view.viewScale * 1.05;
    break;
  }
  placeLayoutOnBitmap(layout, grids, view, pixels, s.bitmap);
  drawLayoutPicture(layout, grids, pixels, editing, s.bitmap, wholeLayoutChosen);
  s.copyBitmapToWindow();
}
