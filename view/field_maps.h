// The three contour maps of a flow scalar on both grids: vorticity
// ("　渦度分布図"), pressure ("　圧力分布図") and density ("　密度分布図"),
// 20 levels each, and the vorticity they need.
#pragma once

#include "core/model.h"
#include "core/run_observer.h"
#include "view/surfaces.h"

// computeVorticity: the vorticity ω = ∂u/∂y - ∂v/∂x into the slot
// omega of every main-grid point and every auxiliary point of every body.
// Main grid: central differences over 2·mainDx (solver units), second-order
// one-sided ones on the outermost rows and columns.  Auxiliary grids: the same
// in the unit-spaced ξ (along p, always central: the ring continues across
// its seam) and η (along r), turned into x and y by the metrics:
//   ∂u/∂y = (xXi·u_η - xEta·u_ξ)/jac,  ∂v/∂x = (yEta·v_ξ - yXi·v_η)/jac.
void computeVorticity(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, FlowSolution& solution);

// drawVorticityMap / drawPressureMap / drawDensityMap: the map of omega / pres /
// rho into the view bitmap, copied to the window; returned, what the window
// shows beside it: the map's title in status panel 0 and both check boxes
// visible.  For the duration of the plot the outermost rows and columns of
// the main grid take part (their dt is set to 1, and back to 0 at the end).
// drawVorticityMap first computes the vorticity, which stays in the slot omega; the
// speed range reads it as the mask of the auxiliary grids.
[[nodiscard]] PlotCaption drawVorticityMap(Model& m, ViewSurfaces& s);
[[nodiscard]] PlotCaption drawPressureMap(Model& m, ViewSurfaces& s);
[[nodiscard]] PlotCaption drawDensityMap(Model& m, ViewSurfaces& s);
