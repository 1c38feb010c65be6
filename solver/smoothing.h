// Implicit residual smoothing of the step increments.
#pragma once
#include "solver/solver_state.h"

// Each increment r of a grid line is replaced by the solution x of
//   -eps x(n-1) + (1 + 2 eps) x(n) - eps x(n+1) = r(n),  eps = 2.3,
// with the end rows as they stand (no boundary condition, no periodic
// closure).  Applied along both grid directions this is the factored
// operator (1 - eps d2^2)(1 - eps d1^2) of implicit residual averaging,
// which lets the local time steps run at 2.65 and 3.2 times their explicit
// measure.  Each call is one direct (Thomas) solve per line and direction.

// smoothMainGrid ("Gauss elimination, main grid"): the lines along y through the
// columns i = 2..mainNx-1 (all points j = 1..mainNy), then the lines along x
// through the rows j = 2..mainNy-1 (all points i = 1..mainNx); dq1..dq4 in place.
void smoothMainGrid(const SolverState& m);

// smoothBodyGrids ("Gauss elimination, auxiliary grid"): the radial lines
// r = rFirst..rLast of every perimeter index p = pFirst..pLast of grid set
// s, then the perimeter lines p = pFirst..pLast of every layer.  The run
// passes (1, bodyPerimeterPoints, 1, bodyLayers, 1): one perimeter line runs through all bodies,
// the indices between them and both copies of every seam point.
void smoothBodyGrids(const SolverState& m, int pFirst, int pLast, int rFirst, int rLast, int s);

// The elimination coefficients of a line of `length` positions, in
// t[1..length]: they depend only on the position from the start of the
// line, not on the line, so each direction of a grid forms them once.
// t grows to hold them (once per thread and length, so a line no longer
// than one before allocates nothing).
using LineCoefficients = std::vector<TriCoef>;
void eliminationCoefficients(LineCoefficients& t, int length);

// smoothMainGrid on increments held in an interleaved work plane instead of the
// records: the four increments of point (i, j) at d[4 (i stride + j)] on.
// The same lines, operations and order, so the same bits.
void smoothMainPlane(const Grids& grids, double* d, int stride);
