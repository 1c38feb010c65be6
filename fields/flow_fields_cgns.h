// Field export: both grids with the flow after the last step, in CGNS, the
// standard file of overlapping-grid flow solvers, which the usual
// post-processing tools open directly.
//
// One base "Whirlpane" (cells and coordinates two-dimensional, layout units)
// with one structured zone per grid: "MainGrid" (i along x, j along y) and
// "Body01", "Body02", ... (i along the body's perimeter from bodyFirst to
// bodyLast, which repeats the first point and closes the ring; j along the
// layers from the outer edge, 1, to the body surface, bodyLayers).  Every zone has
// a vertex solution "FlowSolution" with Density, VelocityX, VelocityY,
// Pressure, EnergyStagnationDensity (E, per unit volume), Vorticity (the
// out-of-plane component ∂v/∂x − ∂u/∂y per layout unit, computed afresh; a
// lone "VorticityZ" is taken by readers for a third component that a
// two-dimensional base does not load) and Iblank (1 solved, 0 hole, −k
// interpolated from zone k); the main grid also lists its holes in the
// standard overset-holes node.  The base states the reference state, the
// flow equations (each zone its viscosity), the step of the solution, and
// each zone its boundary patches (walls, inflow, outlet) in the families
// that carry their types.
#pragma once

#include "core/model.h"

#include <optional>
#include <string>

// Writes the file through a temporary file renamed over `path`.  The flow
// is left exactly as it was (the vorticity slot is computed for the file and
// put back).  Returns the reason of a failure (English, from the CGNS
// library or the file system), or nothing.
std::optional<std::string> writeFlowFieldsCgns(const LayoutParameters& layout,
                                               const SolverConstants& constants, const Grids& grids,
                                               const CouplingTables& coupling,
                                               FlowSolution& solution, const std::string& path);

// Zone name of body b: "Body01", "Body02", ...
std::string bodyZoneName(int b);
