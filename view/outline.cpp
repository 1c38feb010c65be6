#include "view/outline.h"

#include "view/transform.h"

namespace {

// What the line drawings read: the layers of the layout, the grids' body
// table and sizes, and where the grid points fall on the bitmap.
struct GridPicture {
  const LayoutParameters& layout;
  const Grids& grids;
  const GridPixels& pixels;
};

PixelPoint auxPixel(const GridPixels& pixels, int p, int r) {
  const PixelPosition& q = pixels.body[p][r][1];
  return {roundHalfAway(q.x), roundHalfAway(q.y)};
}

PixelPoint mainPixel(const GridPixels& pixels, int i, int j) {
  const PixelPosition& q = pixels.main[i][j];
  return {roundHalfAway(q.x), roundHalfAway(q.y)};
}

PixelPoint bodyCentrePixel(const GridPixels& pixels, int b) {
  return {roundHalfAway(pixels.bodyCentre[b].x), roundHalfAway(pixels.bodyCentre[b].y)};
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
void bodyRing(const GridPicture& g, DrawingSurface& s, int b) {
  polyline(s, g.grids.bodyFirst[b], g.grids.bodyLast[b],
           [&](int p) { return auxPixel(g.pixels, p, g.layout.bodyLayers); });
}

void bodyRings(const GridPicture& g, DrawingSurface& s) {
  for (int b = 1; b <= g.grids.nBodies; ++b) bodyRing(g, s, b);
}

// Triangles from the body centre to the ring segments p, p + 1 for
// p = bodyFirst[b]..pLast, in the current pen and brush.
void bodyFan(const GridPicture& g, DrawingSurface& s, int b, int pLast) {
  const PixelPoint centre = bodyCentrePixel(g.pixels, b);
  for (int p = g.grids.bodyFirst[b]; p <= pLast; ++p)
    s.polygon(centre, auxPixel(g.pixels, p, g.layout.bodyLayers),
              auxPixel(g.pixels, p + 1, g.layout.bodyLayers));
}

// Body fill of body b: the fan over the closed ring.
void bodyFill(const GridPicture& g, DrawingSurface& s, int b) {
  bodyFan(g, s, b, g.grids.bodyLast[b] - 1);
}

void lowerWall(const GridPicture& g, DrawingSurface& s) {
  polyline(s, 1, g.grids.mainNx, [&](int i) { return mainPixel(g.pixels, i, 1); });
}

void upperWall(const GridPicture& g, DrawingSurface& s) {
  polyline(s, 1, g.grids.mainNx, [&](int i) { return mainPixel(g.pixels, i, g.grids.mainNy); });
}

// The right wall in two pieces around the outlet opening.
void rightWall(const GridPicture& g, DrawingSurface& s) {
  auto point = [&](int j) { return mainPixel(g.pixels, g.grids.mainNx, j); };
  polyline(s, 1, g.grids.outletLow, point);
  polyline(s, g.grids.outletHigh, g.grids.mainNy, point);
}

} // namespace

void drawBodyOutlines(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                      DrawingSurface& bitmap) {
  const GridPicture g{layout, grids, pixels};
  bitmap.setPen(kBlack);
  bodyRings(g, bitmap);
}

void drawLayoutPicture(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                       const LayoutEditing& editing, DrawingSurface& bitmap,
                       bool wholeLayoutChosen) {
  if (wholeLayoutChosen)
    drawWholeLayoutPicture(layout, grids, pixels, bitmap);
  else
    drawSelectedColumnPicture(layout, grids, pixels, editing, bitmap);
}

void drawSelectedColumnPicture(const LayoutParameters& layout, const Grids& grids,
                               const GridPixels& pixels, const LayoutEditing& editing,
                               DrawingSurface& bitmap) {
  const GridPicture g{layout, grids, pixels};
  bitmap.setPen(kBlack);
  bodyRings(g, bitmap);
  lowerWall(g, bitmap);
  upperWall(g, bitmap);
  rightWall(g, bitmap);

  bitmap.setPen(kRed);
  // Bodies are numbered column by column, column c holding columnBodies[c].
  const int sel = editing.selectedColumn;
  int first = 1, last = 0;
  if (sel >= 1 && sel <= g.layout.nColumns) {
    for (int c = 1; c < sel; ++c) first += g.layout.columnBodies[c];
    last = first + g.layout.columnBodies[sel] - 1;
  }
  bitmap.setBrush(kRed);
  for (int b = first; b <= last; ++b) bodyFill(g, bitmap, b);
  bitmap.setBrush(kWhite);
}

void drawWholeLayoutPicture(const LayoutParameters& layout, const Grids& grids,
                            const GridPixels& pixels, DrawingSurface& bitmap) {
  const GridPicture g{layout, grids, pixels};
  bitmap.setPen(kBlack);
  bodyRings(g, bitmap);
  bitmap.setBrush(kRed);
  bitmap.setPen(kRed);
  for (int b = 1; b <= g.grids.nBodies; ++b) bodyFill(g, bitmap, b);
  lowerWall(g, bitmap);
  upperWall(g, bitmap);
  rightWall(g, bitmap);
  bitmap.setBrush(kWhite);
}

void drawBodiesOnWindow(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, DrawingSurface& window) {
  const GridPicture g{layout, grids, pixels};
  window.setBrush(kRed);
  window.setPen(kRed);
  for (int b = 1; b <= g.grids.nBodies; ++b) bodyFill(g, window, b);
  lowerWall(g, window);
  upperWall(g, window);
  window.setBrush(kBlack);
  window.setPen(kWhite);
}

void drawMainGridLines(const Grids& grids, const GridPixels& pixels, DrawingSurface& bitmap) {
  bitmap.setPen(kBlack);
  for (int j = 1; j <= grids.mainNy; ++j)
    polyline(bitmap, 1, grids.mainNx, [&](int i) { return mainPixel(pixels, i, j); });
  for (int i = 1; i <= grids.mainNx; ++i)
    polyline(bitmap, 1, grids.mainNy, [&](int j) { return mainPixel(pixels, i, j); });
}

void drawBodyGridLines(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                       DrawingSurface& bitmap) {
  const GridPicture g{layout, grids, pixels};
  bitmap.setPen(kBlack);
  for (int b = 1; b <= g.grids.nBodies; ++b)
    for (int r = 1; r <= g.layout.bodyLayers; ++r)
      polyline(bitmap, g.grids.bodyFirst[b], g.grids.bodyLast[b],
               [&](int p) { return auxPixel(g.pixels, p, r); });
  for (int b = 1; b <= g.grids.nBodies; ++b)
    for (int p = g.grids.bodyFirst[b]; p <= g.grids.bodyLast[b]; ++p)
      polyline(bitmap, 1, g.layout.bodyLayers, [&](int r) { return auxPixel(g.pixels, p, r); });
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

void maskBodiesAndWalls(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, DrawingSurface& bitmap) {
  const GridPicture g{layout, grids, pixels};
  // Body interiors.  The fan runs to p = bodyLast, whose neighbour is the
  // continuation slot bodyLast + 1 (a copy of bodyFirst + 1), so the last
  // triangle repeats the first.
  bitmap.setBrush(kWhite);
  bitmap.setPen(kWhite);
  for (int b = 1; b <= g.grids.nBodies; ++b) bodyFan(g, bitmap, b, g.grids.bodyLast[b]);

  // 10-pixel strips outside the lower and upper walls.
  bitmap.setBrush(kWhite);
  bitmap.setPen(kWhite);
  for (int i = 1; i < g.grids.mainNx; ++i) {
    const PixelPoint low = mainPixel(g.pixels, i, 1), lowNext = mainPixel(g.pixels, i + 1, 1);
    bitmap.fillRect(low.x, low.y, lowNext.x, low.y + 10);
    const PixelPoint high = mainPixel(g.pixels, i, g.grids.mainNy),
                     highNext = mainPixel(g.pixels, i + 1, g.grids.mainNy);
    bitmap.fillRect(high.x, high.y - 10, highNext.x, high.y);
  }

  bitmap.setPen(kBlack);
  for (int i = 1; i < g.grids.mainNx; ++i) {
    moveTo(bitmap, mainPixel(g.pixels, i, 1));
    lineTo(bitmap, mainPixel(g.pixels, i + 1, 1));
    moveTo(bitmap, mainPixel(g.pixels, i, g.grids.mainNy));
    lineTo(bitmap, mainPixel(g.pixels, i + 1, g.grids.mainNy));
  }
  bodyRings(g, bitmap);
  rightWall(g, bitmap);
}
