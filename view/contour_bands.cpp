#include "view/colour_scale.h"
#include "view/contour.h"
#include "view/contour_grid.h"
#include "view/union_paint.h"

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

template <typename Field>
void ppo2(const Field& f, BandCell& cell, GridNode P, GridNode Q, double v) {
  PixelPoint at;
  listCrossing(f, cell, P, Q, v, at);
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
          if (!((inA && inB) || (inB && inC) || (inC && inD) || (inD && inA))) continue;
          enum { A, B, C, D, M };
          const PixelPoint pts[5] = {
              nodePixel(f, k.A), nodePixel(f, k.B), nodePixel(f, k.C), nodePixel(f, k.D),
              {Roun2((f.pixX(k.A) + f.pixX(k.B) + f.pixX(k.C) + f.pixX(k.D)) * 0.25),
               Roun2((f.pixY(k.A) + f.pixY(k.B) + f.pixY(k.C) + f.pixY(k.D)) * 0.25)}};
          UnionPainter paint(bitmap, pts);
          if (inA && inB) paint.triangle(A, B, M);
          if (inB && inC) paint.triangle(B, C, M);
          if (inC && inD) paint.triangle(C, D, M);
          if (inD && inA) paint.triangle(D, A, M);
          paint.finish();
        }
    }

    // Pass 2: the lower half of the band, between v - bin and v.
    {
      const double lower = v - bin, upper = v;
      BColor_Define(m, bitmap, v);
      for (int a = a0; a <= a1 - 1; ++a)
        for (int b = b0; b <= b1 - 1; ++b) {
          if (!loadCell(f, a, b, k) || !(k.spans(v) || k.spans(lower))) continue;
          cell.clear();
          const GridNode from[4] = {k.A, k.B, k.C, k.D}, to[4] = {k.B, k.C, k.D, k.A};
          double e[4], d[4]; // at v and at v - bin
          edgeProducts(k, v, e);
          edgeProducts(k, lower, d);
          if (Field::masked) {
            if (!f.live(k.B)) e[1] = d[1] = 0;
            if (!f.live(k.C)) e[2] = d[2] = 0;
            if (!f.live(k.D)) e[3] = d[3] = 0;
          }
          for (int edge = 0; edge < 4; ++edge)
            if (e[edge] < 0) ppo1(f, bitmap, cell, from[edge], to[edge], v, lower, upper);
          for (int edge = 0; edge < 4; ++edge)
            if (d[edge] < 0) ppo2(f, cell, from[edge], to[edge], lower);
          // The hull of the listed points, pass 2 only.
          paintHull(bitmap, cell.points, cell.count);
        }
    }

    // Pass 3: the upper half, between v and v + bin, in the colour of v + bin.
    {
      const double lower = v, upper = v + bin;
      BColor_Define(m, bitmap, v + bin);
      for (int a = a0; a <= a1 - 1; ++a)
        for (int b = b0; b <= b1 - 1; ++b) {
          if (!loadCell(f, a, b, k) || !k.spans(v)) continue;
          cell.clear();
          const GridNode from[4] = {k.A, k.B, k.C, k.D}, to[4] = {k.B, k.C, k.D, k.A};
          double e[4];
          edgeProducts(k, v, e);
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
