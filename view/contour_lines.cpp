#include "view/colour_scale.h"
#include "view/contour.h"
#include "view/contour_grid.h"

namespace {

template <typename Field>
void contourLines(const ViewState& view, DrawingSurface& bitmap, const Field& f, int a0, int a1,
                  int b0, int b1, int n) {
  const double bin = (view.scaleHigh - view.scaleLow) / n;
  double v = view.scaleLow - bin;
  CellCorners k;
  const bool check = !allFinite(f, a0, a1, b0, b1); // cells with a non-finite value are skipped
  for (int level = 1; level <= n; ++level) {
    v = v + bin;
    bitmap.setPen(kBlack);
    if (!view.blackLines) setScaleBrush(view, bitmap, v);
    for (int a = a0; a <= a1 - 1; ++a)
      for (int b = b0; b <= b1 - 1; ++b) {
        loadCell(f, a, b, k);
        if (!k.spans(v) || (check && !k.finite())) continue;
        double e[4];
        edgeProducts(k, v, e);
        if constexpr (Field::masked) {
          if (!f.live(k.D)) e[2] = e[3] = 0;
          if (!f.live(k.C)) e[1] = e[2] = 0;
        }
        bool strokeOpen = false;
        forEachCrossedEdge(k, e, [&](GridNode P, GridNode Q) {
          const PixelPoint p = crossing(f, P, Q, v);
          if (strokeOpen)
            bitmap.lineTo(p.x, p.y);
          else
            bitmap.moveTo(p.x, p.y);
          strokeOpen = !strokeOpen;
        });
      }
  }
}

} // namespace

void drawMainContourLines(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int i0, int i1, int j0,
                          int j1, int c, int n) {
  contourLines(view, bitmap, MainGridField{solution, pixels, c}, i0, i1, j0, j1, n);
}

void drawBodyContourLines(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int p0, int p1, int r0,
                          int r1, int g, int c, int n) {
  contourLines(view, bitmap, AuxGridField{solution, pixels, g, c}, p0, p1, r0, r1, n);
}

void drawMainContours(const FlowSolution& solution, const GridPixels& pixels, const ViewState& view,
                      DrawingSurface& bitmap, int i0, int i1, int j0, int j1, int c, int n) {
  if (view.fillContours) {
    drawMainContourBands(solution, pixels, view, bitmap, i0, i1, j0, j1, c, n);
    if (view.blackLines) drawMainContourLines(solution, pixels, view, bitmap, i0, i1, j0, j1, c, n);
  } else {
    drawMainContourLines(solution, pixels, view, bitmap, i0, i1, j0, j1, c, n);
  }
}

void drawBodyContours(const FlowSolution& solution, const GridPixels& pixels, const ViewState& view,
                      DrawingSurface& bitmap, int p0, int p1, int r0, int r1, int g, int c, int n) {
  if (view.fillContours) {
    drawBodyContourBands(solution, pixels, view, bitmap, p0, p1, r0, r1, g, c, n);
    if (view.blackLines)
      drawBodyContourLines(solution, pixels, view, bitmap, p0, p1, r0, r1, g, c, n);
  } else {
    drawBodyContourLines(solution, pixels, view, bitmap, p0, p1, r0, r1, g, c, n);
  }
}
