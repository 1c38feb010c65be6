// The flow at one point of the channel, as the value probe under the mouse
// shows it: the point is located in the grid that solves the flow there and
// the fields are interpolated bilinearly from the corners of its cell.
// Reads the layout, the grids, the holes and the flow only.
#pragma once
#include "core/model.h"

#include <optional>

// Which grid a point's values come from.
enum class ProbeGrid { mainGrid, bodyGrid };

struct ProbeValues {
  ProbeGrid grid;
  int body; // the body whose grid it is (0 for the main grid)
  double density, pressure, speed;
  // The vorticity slot as the vorticity map draws it (∂u/∂y − ∂v/∂x per
  // solver length); valid once computeVorticity has filled the slot.
  double vorticity;
  double u, v; // the velocity components, interpolated
};

// The values at (x, y), layout units.  A body grid's cell is preferred where
// it lies in the body grid's solved layers (r ≥ 2; layer 1, the outer edge,
// takes its values from the other grids), else the main-grid cell, unless one
// of its corners is cut out by the hole cutting, else the outer ring of a
// body grid.  None inside a body, in a hole the body grids do not cover, or
// outside the channel.
//
// Within a cell (corners P1 = (a, b), P2 = (a+1, b), P3 = (a+1, b+1),
// P4 = (a, b+1)) the point's local coordinates (s, t) invert the bilinear map
//   P(s, t) = (1−s)(1−t)·P1 + s(1−t)·P2 + s·t·P3 + (1−s)·t·P4
// by Newton's method, and a field f takes the same weights of its corner
// values.  A field linear in x and y is reproduced exactly (to rounding): its
// composition with P is bilinear in (s, t).
std::optional<ProbeValues> probeFlow(const LayoutParameters& layout, const Grids& grids,
                                     const CouplingTables& coupling, const FlowSolution& solution,
                                     double x, double y);
