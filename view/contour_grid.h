// The two grids as the contouring sees them: a value, an unrounded pixel
// position and a mask per node.  Used only by the contouring .cpp files, so
// that lines and bands are written once for both grids.
#pragma once

#include "core/model.h"
#include "view/contour.h"
#include "view/transform.h"

#include <algorithm>
#include <cmath>

// Main grid, slot c; dt = 0 masks a point.
struct MainGridField {
  const FlowSolution& solution;
  const GridPixels& pixels;
  int c;
  static constexpr bool masked = true;
  double value(GridNode n) const { return solution.mainFlow[n.a][n.b][c]; }
  double pixX(GridNode n) const { return pixels.main[n.a][n.b].x; }
  double pixY(GridNode n) const { return pixels.main[n.a][n.b].y; }
  bool live(GridNode n) const { return solution.mainFlow[n.a][n.b][slot::dt] != 0; }
};

// Auxiliary grid set g, slot c; no mask.
struct AuxGridField {
  const FlowSolution& solution;
  const GridPixels& pixels;
  int g, c;
  static constexpr bool masked = false;
  double value(GridNode n) const { return solution.bodyFlow[n.a][n.b][g][c]; }
  double pixX(GridNode n) const { return pixels.body[n.a][n.b][g].x; }
  double pixY(GridNode n) const { return pixels.body[n.a][n.b][g].y; }
  bool live(GridNode) const { return true; }
};

template <typename Field> PixelPoint nodePixel(const Field& f, GridNode n) {
  return {roundHalfAway(f.pixX(n)), roundHalfAway(f.pixY(n))};
}

// Where level v crosses the edge P-Q, interpolated in unrounded pixels.
template <typename Field> PixelPoint crossing(const Field& f, GridNode P, GridNode Q, double v) {
  const double fp = f.value(P);
  const double t = (v - fp) / (f.value(Q) - fp);
  const double x = f.pixX(P) + (f.pixX(Q) - f.pixX(P)) * t;
  const double y = f.pixY(P) + (f.pixY(Q) - f.pixY(P)) * t;
  return {roundHalfAway(x), roundHalfAway(y)};
}

// The four corners of cell (a, b) and their values.  A level v crosses an
// edge of the cell only if the lowest value < v < the highest, which lets the
// contouring pass over most cells at once; the edge products decide.
struct CellCorners {
  GridNode A, B, C, D;
  double fA, fB, fC, fD;
  // Every value finite (x - x is 0 for a finite x and NaN otherwise).
  bool finite() const { return (fA - fA) + (fB - fB) + (fC - fC) + (fD - fD) == 0; }
  bool spans(double v) const { return spansEither(v, v); }
  bool spansEither(double v1, double v2) const {
    const double low = std::min(std::min(fA, fB), std::min(fC, fD));
    const double high = std::max(std::max(fA, fB), std::max(fC, fD));
    return (low < v1 && v1 < high) || (low < v2 && v2 < high);
  }
};

template <typename Field>
[[gnu::always_inline]] inline void loadCell(const Field& f, int a, int b, CellCorners& k) {
  k.A = {a, b};
  k.B = {a + 1, b};
  k.C = {a + 1, b + 1};
  k.D = {a, b + 1};
  k.fA = f.value(k.A);
  k.fB = f.value(k.B);
  k.fC = f.value(k.C);
  k.fD = f.value(k.D);
}

// Whether every value of the nodes a0..a1 x b0..b1 is finite, as it is but
// for a diverged run: then the cells need no check of their own.
template <typename Field> bool allFinite(const Field& f, int a0, int a1, int b0, int b1) {
  double sum = 0;
  for (int a = a0; a <= a1; ++a)
    for (int b = b0; b <= b1; ++b) {
      const double x = f.value({a, b});
      sum += x - x;
    }
  return sum == 0;
}

// The products (F(Q) - v)(F(P) - v) of the edges bottom A-B, right B-C, top
// C-D and left D-A: negative where level v crosses the edge.
inline void edgeProducts(const CellCorners& k, double v, double e[4]) {
  e[0] = (k.fB - v) * (k.fA - v);
  e[1] = (k.fC - v) * (k.fB - v);
  e[2] = (k.fD - v) * (k.fC - v);
  e[3] = (k.fA - v) * (k.fD - v);
}

// Calls visit(P, Q) for each edge P-Q whose product in e is negative, in the
// order bottom A-B, right B-C, top C-D, left D-A.
template <typename Visit>
[[gnu::always_inline]] inline void forEachCrossedEdge(const CellCorners& k, const double e[4],
                                                      Visit visit) {
  const GridNode from[4] = {k.A, k.B, k.C, k.D}, to[4] = {k.B, k.C, k.D, k.A};
  for (int edge = 0; edge < 4; ++edge)
    if (e[edge] < 0) visit(from[edge], to[edge]);
}
