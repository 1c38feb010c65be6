// The donor-cell test: does a quadrilateral cell of one grid contain a target
// point, and where?
//
// A cell (a, b, c) has the corners P1 = (a, b), P2 = (a+1, b), P3 = (a+1, b+1)
// and P4 = (a, b+1) of its grid (main grid: a = i, b = j; auxiliary grid:
// a = p, b = r, c the grid set).  The target's local coordinates (s, t) are
// those of the bilinear map
//   P(s, t) = (1−s)(1−t)·P1 + s(1−t)·P2 + s·t·P3 + (1−s)·t·P4,
// and become the interpolation weights of a link.  The cell's reference point
// is the midpoint of P1 and P3.
#pragma once
#include "coupling/coupling_state.h"

#include <cmath>

// A point of the plane, layout units.
struct PlanePoint {
  double x, y;
};

// The corners P1..P4 of a cell, slot 0 unused.
using CellCorners = Arr1<PlanePoint, 4>;

// Where the test found the target: whether the cell contains it and, if so,
// its local coordinates.
struct CellHit {
  bool found = false;
  double s = 0, t = 0;
};

// searchCellEdges: whether the target lies on one of the cell's
// edges, tried P1→P2, P2→P3, P4→P3, P1→P4; the first edge that passes wins.
// The tolerances are absolute, in layout units.
CellHit searchCellEdges(const CellCorners& p, PlanePoint target);

// searchCellInterior: inverts the bilinear map of the cell for the
// target, after a side test against the reference point.  Used right after
// searchCellEdges missed.  No hit when s or t falls outside [0, 1] or is not a
// number.
CellHit searchCellInterior(const CellCorners& p, PlanePoint target);

// quadraticRoot: one root of qa·x² + qb·x + qc = 0, where qa
// is either 0 (linear) or 0.5 (normalised by the caller).  Prefers the
// non-negative root of the numerically stable pair.
double quadraticRoot(double qa, double qb, double qc);

// The cell test as every scan applies it: the Manhattan prefilter (a cell
// whose reference point is 2.0 or more from the target is skipped without
// further work), then searchCellEdges and, if it missed, searchCellInterior.
inline CellHit testCell(const CellCorners& p, PlanePoint target) {
  const double rx = (p[1].x + p[3].x) / 2, mainGrid = (p[1].y + p[3].y) / 2;
  if (!(std::fabs(target.x - rx) + std::fabs(target.y - mainGrid) < 2.0)) return {};
  const CellHit edge = searchCellEdges(p, target);
  return edge.found ? edge : searchCellInterior(p, target);
}

// The cell test on auxiliary cell (p, r) of grid set c.
inline CellHit testAuxCell(const CouplingState& m, int p, int r, int c, PlanePoint target) {
  auto at = [&](int pp, int rr) {
    return PlanePoint{m.grids.bodyGrid[pp][rr][c].bodyGridX, m.grids.bodyGrid[pp][rr][c].bodyGridY};
  };
  return testCell({PlanePoint{}, at(p, r), at(p + 1, r), at(p + 1, r + 1), at(p, r + 1)}, target);
}

// The cell test on main-grid cell (i, j); its grid set is 1.
inline CellHit testMainCell(const CouplingState& m, int i, int j, PlanePoint target) {
  auto at = [&](int ii, int jj) {
    return PlanePoint{m.grids.mainGrid[ii][jj].mainGridX, m.grids.mainGrid[ii][jj].mainGridY};
  };
  return testCell({PlanePoint{}, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)}, target);
}
