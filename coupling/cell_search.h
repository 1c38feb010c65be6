// The donor-cell test: does a quadrilateral cell of one grid contain a target
// point, and where?
//
// A cell (a, b, c) has the corners P1 = (a, b), P2 = (a+1, b), P3 = (a+1, b+1)
// and P4 = (a, b+1) of its grid (main grid: a = i, b = j; auxiliary grid:
// a = p, b = r, c the grid set).  The target's local coordinates (s, t) are
// those of the bilinear map
//   P(s, t) = (1−s)(1−t)·P1 + s(1−t)·P2 + s·t·P3 + (1−s)·t·P4,
// and become the interpolation weights of a link.
//
// The test works on the shared buffer m.searchX/searchY[1..6] (corners 1..4,
// the reference point 5 = midpoint of P1 and P3, the target 6) and leaves its
// result in m.hitA, hitB, hitC (hitA = 0: no hit) and m.hitS, hitT.
#pragma once
#include "core/model.h"

#include <cmath>

// searchCellEdges: whether the target lies on one of the cell's
// edges, tried P1→P2, P2→P3, P4→P3, P1→P4; the first edge that passes wins.
// Clears hitA first.  The tolerances are absolute, in layout units.
void searchCellEdges(Model& m, int a, int b, int c);

// searchCellInterior: inverts the bilinear map of the cell for the
// target, after a side test against the reference point.  Called only right
// after searchCellEdges missed (hitA = 0 on entry).  hitA is cleared again when s or
// t falls outside [0, 1] or is not a number.
void searchCellInterior(Model& m, int a, int b, int c);

// quadraticRoot: one root of qa·x² + qb·x + qc = 0, where qa
// is either 0 (linear) or 0.5 (normalised by the caller).  Prefers the
// non-negative root of the numerically stable pair.
double quadraticRoot(double qa, double qb, double qc);

// The cell test as every scan applies it, target already in point 6: corners
// 1 and 3 and their midpoint first, then the Manhattan prefilter (a cell whose
// reference point is 2.0 or more from the target is skipped without further
// work), then corners 2 and 4, searchCellEdges and, if it missed, searchCellInterior.
// Returns true when the cell is the donor (hitA ≥ 1).
inline bool testCell(Model& m, int a, int b, int c, double x1, double y1, double x2, double y2,
                     double x3, double y3, double x4, double y4) {
  m.searchX[1] = x1;
  m.searchY[1] = y1;
  m.searchX[3] = x3;
  m.searchY[3] = y3;
  m.searchX[5] = (x1 + x3) / 2;
  m.searchY[5] = (y1 + y3) / 2;
  if (!(std::fabs(m.searchX[6] - m.searchX[5]) + std::fabs(m.searchY[6] - m.searchY[5]) < 2.0))
    return false;
  m.searchX[2] = x2;
  m.searchY[2] = y2;
  m.searchX[4] = x4;
  m.searchY[4] = y4;
  searchCellEdges(m, a, b, c);
  if (m.hitA == 0) searchCellInterior(m, a, b, c);
  return m.hitA >= 1;
}

// The cell test on auxiliary cell (p, r) of grid set c.
inline bool testAuxCell(Model& m, int p, int r, int c) {
  const AuxPoint& q1 = m.bodyGrid[p][r][c];
  const AuxPoint& q2 = m.bodyGrid[p + 1][r][c];
  const AuxPoint& q3 = m.bodyGrid[p + 1][r + 1][c];
  const AuxPoint& q4 = m.bodyGrid[p][r + 1][c];
  return testCell(m, p, r, c, q1.bodyGridX, q1.bodyGridY, q2.bodyGridX, q2.bodyGridY, q3.bodyGridX,
                  q3.bodyGridY, q4.bodyGridX, q4.bodyGridY);
}

// The cell test on main-grid cell (i, j); its grid set is 1.
inline bool testMainCell(Model& m, int i, int j) {
  const MainPoint& q1 = m.mainGrid[i][j];
  const MainPoint& q2 = m.mainGrid[i + 1][j];
  const MainPoint& q3 = m.mainGrid[i + 1][j + 1];
  const MainPoint& q4 = m.mainGrid[i][j + 1];
  return testCell(m, i, j, 1, q1.mainGridX, q1.mainGridY, q2.mainGridX, q2.mainGridY, q3.mainGridX,
                  q3.mainGridY, q4.mainGridX, q4.mainGridY);
}

// Puts the target into point 6 of the buffer.
inline void setSearchTarget(Model& m, double x, double y) {
  m.searchX[6] = x;
  m.searchY[6] = y;
}
