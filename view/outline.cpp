#include "view/outline.h"

#include "view/transform.h"

namespace {

PixelPoint auxPixel(const Model& m, int p, int r) {
  const PixelPosition& q = m.pixels.body[p][r][1];
  return {roundHalfAway(q.x), roundHalfAway(q.y)};
}

PixelPoint mainPixel(const Model& m, int i, int j) {
  const PixelPosition& q = m.pixels.main[i][j];
  return {roundHalfAway(q.x), roundHalfAway(q.y)};
}

PixelPoint bodyCentrePixel(const Model& m, int b) {
  return {roundHalfAway(m.pixels.bodyCentre[b].x), roundHalfAway(m.pixels.bodyCentre[b].y)};
}

void moveTo(DrawingSurface& s, PixelPoint p) {
  s.moveTo(p.x, p.y);
}
void lineTo(DrawingSurface& s, PixelPoint p) {
  s.lineTo(p.x, p.y);
}

// Polyline through point(k) for k = first..last.
template <typename PointAt> void polyline(DrawingSurface& s, int first, int last, PointAt point) {
  if (first > last) return;
  moveTo(s, point(first));
  for (int k = first + 1; k <= last; ++k) lineTo(s, point(k));
}

// The closed outline of body b: its grid layer bodyLayers from bodyFirst to
// bodyLast, which repeats bodyFirst.
void bodyRing(const Model& m, DrawingSurface& s, int b) {
  polyline(s, m.grids.bodyFirst[b], m.grids.bodyLast[b],
           [&](int p) { return auxPixel(m, p, m.layout.bodyLayers); });
}

void bodyRings(const Model& m, DrawingSurface& s) {
  for (int b = 1; b <= m.grids.nBodies; ++b) bodyRing(m, s, b);
}

// Triangles from the body centre to the ring segments p, p + 1 for
// p = bodyFirst[b]..pLast, in the current pen and brush.
void bodyFan(const Model& m, DrawingSurface& s, int b, int pLast) {
  const PixelPoint centre = bodyCentrePixel(m, b);
  for (int p = m.grids.bodyFirst[b]; p <= pLast; ++p)
    s.polygon(centre, auxPixel(m, p, m.layout.bodyLayers), auxPixel(m, p + 1, m.layout.bodyLayers));
}

// Body fill of body b: the fan over the closed ring.
void bodyFill(const Model& m, DrawingSurface& s, int b) {
  bodyFan(m, s, b, m.grids.bodyLast[b] - 1);
}

void lowerWall(const Model& m, DrawingSurface& s) {
  polyline(s, 1, m.grids.mainNx, [&](int i) { return mainPixel(m, i, 1); });
}

void upperWall(const Model& m, DrawingSurface& s) {
  polyline(s, 1, m.grids.mainNx, [&](int i) { return mainPixel(m, i, m.grids.mainNy); });
}

// The right wall in two pieces around the outlet opening.
void rightWall(const Model& m, DrawingSurface& s) {
  auto point = [&](int j) { return mainPixel(m, m.grids.mainNx, j); };
  polyline(s, 1, m.grids.outletLow, point);
  polyline(s, m.grids.outletHigh, m.grids.mainNy, point);
}

} // namespace

void drawBodyOutlines(const Model& m, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  bodyRings(m, bitmap);
}

void drawLayoutPicture(const Model& m, DrawingSurface& bitmap, bool wholeLayoutChosen) {
  if (wholeLayoutChosen)
    drawWholeLayoutPicture(m, bitmap);
  else
    drawSelectedColumnPicture(m, bitmap);
}

void drawSelectedColumnPicture(const Model& m, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  bodyRings(m, bitmap);
  lowerWall(m, bitmap);
  upperWall(m, bitmap);
  rightWall(m, bitmap);

  bitmap.setPen(kRed);
  // Bodies are numbered column by column, column c holding columnBodies[c].
  const int sel = m.editing.selectedColumn;
  int first = 1, last = 0;
  if (sel >= 1 && sel <= m.layout.nColumns) {
    for (int c = 1; c < sel; ++c) first += m.layout.columnBodies[c];
    last = first + m.layout.columnBodies[sel] - 1;
  }
  bitmap.setBrush(kRed);
  for (int b = first; b <= last; ++b) bodyFill(m, bitmap, b);
  bitmap.setBrush(kWhite);
}

void drawWholeLayoutPicture(const Model& m, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  bodyRings(m, bitmap);
  bitmap.setBrush(kRed);
  bitmap.setPen(kRed);
  for (int b = 1; b <= m.grids.nBodies; ++b) bodyFill(m, bitmap, b);
  lowerWall(m, bitmap);
  upperWall(m, bitmap);
  rightWall(m, bitmap);
  bitmap.setBrush(kWhite);
}

void drawBodiesOnWindow(const Model& m, DrawingSurface& window) {
  window.setBrush(kRed);
  window.setPen(kRed);
  for (int b = 1; b <= m.grids.nBodies; ++b) bodyFill(m, window, b);
  lowerWall(m, window);
  upperWall(m, window);
  window.setBrush(kBlack);
  window.setPen(kWhite);
}

void drawMainGridLines(const Model& m, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  for (int j = 1; j <= m.grids.mainNy; ++j)
    polyline(bitmap, 1, m.grids.mainNx, [&](int i) { return mainPixel(m, i, j); });
  for (int i = 1; i <= m.grids.mainNx; ++i)
    polyline(bitmap, 1, m.grids.mainNy, [&](int j) { return mainPixel(m, i, j); });
}

void drawBodyGridLines(const Model& m, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      polyline(bitmap, m.grids.bodyFirst[b], m.grids.bodyLast[b],
               [&](int p) { return auxPixel(m, p, r); });
  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p)
      polyline(bitmap, 1, m.layout.bodyLayers, [&](int r) { return auxPixel(m, p, r); });
}

void drawCross(DrawingSurface& bitmap, int x, int y, int s) {
  bitmap.moveTo(x - s, y - s);
  bitmap.lineTo(x + s, y + s);
  bitmap.moveTo(x - s, y + s);
  bitmap.lineTo(x + s, y - s);
}

void drawCrossOnWindow(DrawingSurface& window, int x, int y, int s) {
  drawCross(window, x, y, s);
}

void maskBodiesAndWalls(const Model& m, DrawingSurface& bitmap) {
  // Body interiors.  The fan runs to p = bodyLast, whose neighbour is the
  // continuation slot bodyLast + 1 (a copy of bodyFirst + 1), so the last
  // triangle repeats the first.
  bitmap.setBrush(kWhite);
  bitmap.setPen(kWhite);
  for (int b = 1; b <= m.grids.nBodies; ++b) bodyFan(m, bitmap, b, m.grids.bodyLast[b]);

  // 10-pixel strips outside the lower and upper walls.
  bitmap.setBrush(kWhite);
  bitmap.setPen(kWhite);
  for (int i = 1; i < m.grids.mainNx; ++i) {
    const PixelPoint low = mainPixel(m, i, 1), lowNext = mainPixel(m, i + 1, 1);
    bitmap.fillRect(low.x, low.y, lowNext.x, low.y + 10);
    const PixelPoint high = mainPixel(m, i, m.grids.mainNy),
                     highNext = mainPixel(m, i + 1, m.grids.mainNy);
    bitmap.fillRect(high.x, high.y - 10, highNext.x, high.y);
  }

  bitmap.setPen(kBlack);
  for (int i = 1; i < m.grids.mainNx; ++i) {
    moveTo(bitmap, mainPixel(m, i, 1));
    lineTo(bitmap, mainPixel(m, i + 1, 1));
    moveTo(bitmap, mainPixel(m, i, m.grids.mainNy));
    lineTo(bitmap, mainPixel(m, i + 1, m.grids.mainNy));
  }
  bodyRings(m, bitmap);
  rightWall(m, bitmap);
}
