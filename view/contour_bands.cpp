#include "view/colour_scale.h"
#include "view/contour.h"
#include "view/contour_grid.h"
#include "view/union_paint.h"

namespace {

// The working state of one cell of the band fill: the crossing points listed
// so far (at most four at each of the two band edges) and the first crossed
// edge of a pair.
struct BandCell {
  PixelPoint points[8];
  int count = 0;
  bool firstCrossed = false;
  GridNode p1, q1;         // end nodes of the first crossed edge
  PixelPoint p1Pix, q1Pix; // their rounded pixels
  PixelPoint c1;           // its crossing point
  void clear() {
    count = 0;
    firstCrossed = false;
  }
};

template <typename Field>
void listCrossing(const Field& f, BandCell& cell, GridNode P, GridNode Q, double v,
                  PixelPoint& at) {
  at = crossing(f, P, Q, v);
  if (cell.count < 8) cell.points[cell.count++] = at;
}

// One crossed edge P-Q of a band's cell: its crossing at level v is listed.
// The first crossing of a pair is remembered; the second paints, in the
// current colour, the pieces of the cell between the two crossings that lie
// within the band [lower, upper] (a node is inside when
// (lower - F)(upper - F) <= 0): for the first edge and then this one, the
// triangle to an inside end node, or both quadrilaterals (both vertex orders)
// when both end nodes are inside; then both quadrilaterals for each of the
// node pairs (P1, P2), (P1, Q2), (Q1, Q2), (P2, Q1) that are inside together.
template <typename Field>
void paintBandPiece(const Field& f, DrawingSurface& bitmap, BandCell& cell, GridNode P, GridNode Q,
                    double v, double lower, double upper) {
  PixelPoint c2;
  listCrossing(f, cell, P, Q, v, c2);
  if (!cell.firstCrossed) {
    cell.p1 = P;
    cell.q1 = Q;
    cell.p1Pix = nodePixel(f, P);
    cell.q1Pix = nodePixel(f, Q);
    cell.c1 = c2;
    cell.firstCrossed = true;
    return;
  }
  cell.firstCrossed = false;

  auto inside = [&](GridNode n) {
    const double x = f.value(n);
    return (lower - x) * (upper - x) <= 0;
  };
  // The pieces are same-coloured: painted as one union of the points c1, c2,
  // P1, Q1, P2, Q2.
  enum { C1, C2, P1, Q1, P2, Q2 };
  const PixelPoint pts[6] = {cell.c1, c2, cell.p1Pix, cell.q1Pix, nodePixel(f, P), nodePixel(f, Q)};
  const bool in[6] = {false, false, inside(cell.p1), inside(cell.q1), inside(P), inside(Q)};
  UnionPainter paint(bitmap, pts);
  auto bothOrders = [&](int x, int y) {
    paint.quadrilateral(C1, C2, x, y);
    paint.quadrilateral(C1, C2, y, x);
  };
  auto edgePiece = [&](int p, int q) {
    if (in[p]) {
      paint.triangle(C1, C2, p);
      if (in[q]) bothOrders(p, q);
    } else if (in[q]) {
      paint.triangle(C1, C2, q);
    }
  };
  edgePiece(P1, Q1);
  edgePiece(P2, Q2);
  if (in[P1] && in[P2]) bothOrders(P1, P2);
  if (in[P1] && in[Q2]) bothOrders(P1, Q2);
  if (in[Q1] && in[Q2]) bothOrders(Q1, Q2);
  if (in[P2] && in[Q1]) bothOrders(P2, Q1);
  paint.finish();
}

// One crossed edge P-Q of a cell: its crossing at v is listed, nothing painted.
template <typename Field>
void listBandCrossing(const Field& f, BandCell& cell, GridNode P, GridNode Q, double v) {
  PixelPoint at;
  listCrossing(f, cell, P, Q, v, at);
}

// The cells a0..a1-1 x b0..b1-1 that a band fill visits, a outer and b inner,
// and whether their values need a finiteness check of their own (only when
// some node value is not finite).
struct CellRange {
  int a0, a1, b0, b1;
  bool check;
};

// Calls visit(k) for every cell of the range in order whose corners pass
// `wanted` (a test on the corner values alone) and are finite.
template <typename Field, typename Wanted, typename Visit>
[[gnu::always_inline]] inline void forEachCell(const Field& f, const CellRange& r, Wanted wanted,
                                               Visit visit) {
  CellCorners k;
  for (int a = r.a0; a <= r.a1 - 1; ++a)
    for (int b = r.b0; b <= r.b1 - 1; ++b) {
      loadCell(f, a, b, k);
      if (!wanted(k) || (r.check && !k.finite())) continue;
      visit(k);
    }
}

// The edge products at level v (edgeProducts), with the edges that touch a
// masked corner made uncrossed: dt(B) = 0 drops the right edge, dt(C) = 0 the
// top and dt(D) = 0 the left.
template <typename Field>
void bandEdgeProducts(const Field& f, const CellCorners& k, double v, double e[4]) {
  edgeProducts(k, v, e);
  if constexpr (Field::masked) {
    if (!f.live(k.B)) e[1] = 0;
    if (!f.live(k.C)) e[2] = 0;
    if (!f.live(k.D)) e[3] = 0;
  }
}

// Pass 1, the cell centres: in each cell whose centre value lies within
// [lower, upper], the triangles (corner, next corner, centre) whose two
// corners lie strictly inside it, masked corners B, C, D counting as outside.
template <typename Field>
void paintCellCentres(DrawingSurface& bitmap, const Field& f, const CellRange& r, double lower,
                      double upper) {
  auto centreInside = [&](const CellCorners& k) {
    if constexpr (Field::masked) {
      const double mid = (k.fA + k.fB + k.fC + k.fD) * 0.25;
      return !((lower - mid) * (upper - mid) > 0);
    } else {
      const double sum = k.fA + k.fB + k.fC + k.fD;
      return !((4 * lower - sum) * (4 * upper - sum) > 0);
    }
  };
  forEachCell(f, r, centreInside, [&](const CellCorners& k) {
    const bool inA = (lower - k.fA) * (upper - k.fA) < 0;
    const bool inB = (lower - k.fB) * (upper - k.fB) < 0 && f.live(k.B);
    const bool inC = (lower - k.fC) * (upper - k.fC) < 0 && f.live(k.C);
    const bool inD = (lower - k.fD) * (upper - k.fD) < 0 && f.live(k.D);
    if (!((inA && inB) || (inB && inC) || (inC && inD) || (inD && inA))) return;
    enum { A, B, C, D, M };
    const PixelPoint pts[5] = {
        nodePixel(f, k.A),
        nodePixel(f, k.B),
        nodePixel(f, k.C),
        nodePixel(f, k.D),
        {roundHalfAway((f.pixX(k.A) + f.pixX(k.B) + f.pixX(k.C) + f.pixX(k.D)) * 0.25),
         roundHalfAway((f.pixY(k.A) + f.pixY(k.B) + f.pixY(k.C) + f.pixY(k.D)) * 0.25)}};
    UnionPainter paint(bitmap, pts);
    if (inA && inB) paint.triangle(A, B, M);
    if (inB && inC) paint.triangle(B, C, M);
    if (inC && inD) paint.triangle(C, D, M);
    if (inD && inA) paint.triangle(D, A, M);
    paint.finish();
  });
}

// Pass 2, the lower half of the band [v - bin, v]: the partial polygons of the
// crossings at v, then the hull of every crossing at v and at v - bin.
template <typename Field>
void paintLowerHalf(DrawingSurface& bitmap, const Field& f, const CellRange& r, double v,
                    double bin) {
  const double lower = v - bin, upper = v;
  BandCell cell;
  auto spansEither = [&](const CellCorners& k) { return k.spansEither(v, lower); };
  forEachCell(f, r, spansEither, [&](const CellCorners& k) {
    cell.clear();
    double e[4], d[4]; // at v and at v - bin
    bandEdgeProducts(f, k, v, e);
    bandEdgeProducts(f, k, lower, d);
    forEachCrossedEdge(k, e, [&](GridNode P, GridNode Q) {
      paintBandPiece(f, bitmap, cell, P, Q, v, lower, upper);
    });
    forEachCrossedEdge(k, d,
                       [&](GridNode P, GridNode Q) { listBandCrossing(f, cell, P, Q, lower); });
    paintHull(bitmap, cell.points, cell.count);
  });
}

// Pass 3, the upper half of the band [v, v + bin]: the partial polygons of the
// crossings at v.
template <typename Field>
void paintUpperHalf(DrawingSurface& bitmap, const Field& f, const CellRange& r, double v,
                    double bin) {
  BandCell cell;
  auto spans = [&](const CellCorners& k) { return k.spans(v); };
  forEachCell(f, r, spans, [&](const CellCorners& k) {
    cell.clear();
    double e[4];
    bandEdgeProducts(f, k, v, e);
    forEachCrossedEdge(k, e, [&](GridNode P, GridNode Q) {
      paintBandPiece(f, bitmap, cell, P, Q, v, v, v + bin);
    });
  });
}

// The n + 2 bands from the lowest up, each in its three passes, the first two
// in the colour of v and the third in that of v + bin; the order of bands and
// passes is the order of painting.
template <typename Field>
void bandFill(const ViewState& view, DrawingSurface& bitmap, const Field& f, int a0, int a1, int b0,
              int b1, int n, double epsFraction) {
  const double bin = (view.scaleHigh - view.scaleLow) / n;
  const double eps = (view.scaleHigh - view.scaleLow) / epsFraction;
  const CellRange r{a0, a1, b0, b1, !allFinite(f, a0, a1, b0, b1)};
  double v = view.scaleLow - bin;
  for (int band = 1; band <= n + 2; ++band) {
    v = v + bin;
    setScaleBrush(view, bitmap, v);
    paintCellCentres(bitmap, f, r, v - bin - eps, v + eps);
    paintLowerHalf(bitmap, f, r, v, bin);
    setScaleBrush(view, bitmap, v + bin);
    paintUpperHalf(bitmap, f, r, v, bin);
  }
}

} // namespace

void drawMainContourBands(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int i0, int i1, int j0,
                          int j1, int c, int n) {
  bandFill(view, bitmap, MainGridField{solution, pixels, c}, i0, i1, j0, j1, n, 400);
}

void drawBodyContourBands(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int p0, int p1, int r0,
                          int r1, int g, int c, int n) {
  bandFill(view, bitmap, AuxGridField{solution, pixels, g, c}, p0, p1, r0, r1, n, 10000);
}
