#include "view/colour_scale.h"
#include "view/contour.h"
#include "view/contour_grid.h"

namespace {

template <typename Field>
void listCrossing(const Field& f, BandCell& cell, GridNode P, GridNode Q, double v,
                  PixelPoint& at) {
  at = crossing(f, P, Q, v);
  if (cell.count < 8) cell.points[cell.count++] = at;
}

template <typename Field>
void ppo1(const Field& f, DrawingSurface& bitmap, BandCell& cell, GridNode P, GridNode Q,
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
  const PixelPoint c1 = cell.c1;
  const PixelPoint p2Pix = nodePixel(f, P), q2Pix = nodePixel(f, Q);
  const bool in1P = inside(cell.p1), in1Q = inside(cell.q1), in2P = inside(P), in2Q = inside(Q);

  auto bothOrders = [&](PixelPoint x, PixelPoint y) {
    bitmap.polygon(c1, c2, x, y);
    bitmap.polygon(c1, c2, y, x);
  };
  auto edgePiece = [&](bool inP, PixelPoint pPix, bool inQ, PixelPoint qPix) {
    if (inP) {
      bitmap.polygon(c1, c2, pPix);
      if (inQ) bothOrders(pPix, qPix);
    } else if (inQ) {
      bitmap.polygon(c1, c2, qPix);
    }
  };
  edgePiece(in1P, cell.p1Pix, in1Q, cell.q1Pix);
  edgePiece(in2P, p2Pix, in2Q, q2Pix);
  if (in1P && in2P) bothOrders(cell.p1Pix, p2Pix);
  if (in1P && in2Q) bothOrders(cell.p1Pix, q2Pix);
  if (in1Q && in2Q) bothOrders(cell.q1Pix, q2Pix);
  if (in2P && in1Q) bothOrders(p2Pix, cell.q1Pix);
}

template <typename Field>
void ppo2(const Field& f, BandCell& cell, GridNode P, GridNode Q, double v) {
  PixelPoint at;
  listCrossing(f, cell, P, Q, v, at);
}

// The hull of the listed points: the triangles (P[a], P[b], P[c]) for
// a = 1..m-2, b = 2..m-1, c = 3..m, m = count.  Painting is idempotent and a
// triangle paints the same pixels whatever the order of its corners; a
// triangle with a repeated corner paints only a side of a triangle of three
// distinct corners.  So each set of three distinct points is painted once:
// C(m, 3) triangles instead of (m - 2)³, the same pixels.
void fillHull(DrawingSurface& bitmap, const BandCell& cell) {
  const int m = cell.count;
  if (m < 3) return;
  for (int a = 0; a < m; ++a)
    for (int b = a + 1; b < m; ++b)
      for (int c = b + 1; c < m; ++c) bitmap.polygon(cell.points[a], cell.points[b], cell.points[c]);
}

template <typename Field>
void bandFill(Model& m, DrawingSurface& bitmap, const Field& f, int a0, int a1, int b0, int b1,
              int n, double epsFraction) {
  const double bin = (m.scaleHigh - m.scaleLow) / n;
  const double eps = (m.scaleHigh - m.scaleLow) / epsFraction;
  double v = m.scaleLow - bin;
  CellCorners k;
  BandCell cell;
  for (int band = 1; band <= n + 2; ++band) {
    v = v + bin;

    // Pass 1: cell centres.
    {
      const double lower = v - bin - eps, upper = v + eps;
      BColor_Define(m, bitmap, v);
      for (int a = a0; a <= a1 - 1; ++a)
        for (int b = b0; b <= b1 - 1; ++b) {
          if (!loadCell(f, a, b, k)) continue;
          if constexpr (Field::masked) {
            const double mid = (k.fA + k.fB + k.fC + k.fD) * 0.25;
            if ((lower - mid) * (upper - mid) > 0) continue;
          } else {
            const double sum = k.fA + k.fB + k.fC + k.fD;
            if ((4 * lower - sum) * (4 * upper - sum) > 0) continue;
          }
          const bool inA = (lower - k.fA) * (upper - k.fA) < 0;
          const bool inB = (lower - k.fB) * (upper - k.fB) < 0 && f.live(k.B);
          const bool inC = (lower - k.fC) * (upper - k.fC) < 0 && f.live(k.C);
          const bool inD = (lower - k.fD) * (upper - k.fD) < 0 && f.live(k.D);
          const PixelPoint pA = nodePixel(f, k.A), pB = nodePixel(f, k.B),
                           pC = nodePixel(f, k.C), pD = nodePixel(f, k.D);
          const PixelPoint pM = {
              Roun2((f.pixX(k.A) + f.pixX(k.B) + f.pixX(k.C) + f.pixX(k.D)) * 0.25),
              Roun2((f.pixY(k.A) + f.pixY(k.B) + f.pixY(k.C) + f.pixY(k.D)) * 0.25)};
          if (inA && inB) bitmap.polygon(pA, pB, pM);
          if (inB && inC) bitmap.polygon(pB, pC, pM);
          if (inC && inD) bitmap.polygon(pC, pD, pM);
          if (inD && inA) bitmap.polygon(pD, pA, pM);
        }
    }

    // Pass 2: the lower half of the band, between v - bin and v.
    {
      const double lower = v - bin, upper = v;
      BColor_Define(m, bitmap, v);
      for (int a = a0; a <= a1 - 1; ++a)
        for (int b = b0; b <= b1 - 1; ++b) {
          if (!loadCell(f, a, b, k)) continue;
          cell.clear();
          const GridNode from[4] = {k.A, k.B, k.C, k.D}, to[4] = {k.B, k.C, k.D, k.A};
          const double lo = lower;
          double e[4] = {(k.fB - v) * (k.fA - v), (k.fC - v) * (k.fB - v),
                         (k.fD - v) * (k.fC - v), (k.fA - v) * (k.fD - v)};
          double d[4] = {(k.fB - lo) * (k.fA - lo), (k.fC - lo) * (k.fB - lo),
                         (k.fD - lo) * (k.fC - lo), (k.fA - lo) * (k.fD - lo)};
          if (Field::masked) {
            if (!f.live(k.B)) e[1] = d[1] = 0;
            if (!f.live(k.C)) e[2] = d[2] = 0;
            if (!f.live(k.D)) e[3] = d[3] = 0;
          }
          for (int edge = 0; edge < 4; ++edge)
            if (e[edge] < 0) ppo1(f, bitmap, cell, from[edge], to[edge], v, lower, upper);
          for (int edge = 0; edge < 4; ++edge)
            if (d[edge] < 0) ppo2(f, cell, from[edge], to[edge], lo);
          fillHull(bitmap, cell);
        }
    }

    // Pass 3: the upper half, between v and v + bin, in the colour of v + bin.
    {
      const double lower = v, upper = v + bin;
      BColor_Define(m, bitmap, v + bin);
      for (int a = a0; a <= a1 - 1; ++a)
        for (int b = b0; b <= b1 - 1; ++b) {
          if (!loadCell(f, a, b, k)) continue;
          cell.clear();
          const GridNode from[4] = {k.A, k.B, k.C, k.D}, to[4] = {k.B, k.C, k.D, k.A};
          double e[4] = {(k.fB - v) * (k.fA - v), (k.fC - v) * (k.fB - v),
                         (k.fD - v) * (k.fC - v), (k.fA - v) * (k.fD - v)};
          if (Field::masked) {
            if (!f.live(k.B)) e[1] = 0;
            if (!f.live(k.C)) e[2] = 0;
            if (!f.live(k.D)) e[3] = 0;
          }
          for (int edge = 0; edge < 4; ++edge)
            if (e[edge] < 0) ppo1(f, bitmap, cell, from[edge], to[edge], v, lower, upper);
        }
    }
  }
}

} // namespace

void ppo_RY1(const Model& m, DrawingSurface& bitmap, BandCell& cell, int c, GridNode P, GridNode Q,
             double v, double lower, double upper) {
  ppo1(MainGridField{m, c}, bitmap, cell, P, Q, v, lower, upper);
}

void ppo_WK1(const Model& m, DrawingSurface& bitmap, BandCell& cell, int g, int c, GridNode P,
             GridNode Q, double v, double lower, double upper) {
  ppo1(AuxGridField{m, g, c}, bitmap, cell, P, Q, v, lower, upper);
}

void ppo_RY2(const Model& m, BandCell& cell, int c, GridNode P, GridNode Q, double v) {
  ppo2(MainGridField{m, c}, cell, P, Q, v);
}

void ppo_WK2(const Model& m, BandCell& cell, int g, int c, GridNode P, GridNode Q, double v) {
  ppo2(AuxGridField{m, g, c}, cell, P, Q, v);
}

void BBunpu_RY(Model& m, DrawingSurface& bitmap, int i0, int i1, int j0, int j1, int c, int n) {
  bandFill(m, bitmap, MainGridField{m, c}, i0, i1, j0, j1, n, 400);
}

void BBunpu_WK(Model& m, DrawingSurface& bitmap, int p0, int p1, int r0, int r1, int g, int c,
               int n) {
  bandFill(m, bitmap, AuxGridField{m, g, c}, p0, p1, r0, r1, n, 10000);
}
