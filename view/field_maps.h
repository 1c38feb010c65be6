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

// What a map reads and what it writes, held apart: the layout, the solver's
// constants (the main grid's spacing, for the vorticity), the grids and
// where their points fall on the bitmap are only read; the flow's display
// slots and the view's colour scale are written.  Made from the model where
// a map is drawn (its references point into the model).
struct FieldMapState {
  // Implicit, so that a map is drawn from the model itself.
  FieldMapState(Model& m) // NOLINT(google-explicit-constructor)
      : layout(m.layout), constants(m.constants), grids(m.grids), pixels(m.pixels),
        solution(m.solution), view(m.view) {}

  const LayoutParameters& layout;
  const SolverConstants& constants;
  const Grids& grids;
  const GridPixels& pixels;
  // The display slots: omega, which the vorticity map fills, and dt on the
  // main grid's outermost rows and columns, held at 1 while a map draws.
  FlowSolution& solution;
  // The colour scale the map sets (scaleLow, scaleHigh, levelValue).
  ViewState& view;
};

// drawVorticityMap / drawPressureMap / drawDensityMap: the map of omega / pres /
// rho into the view bitmap, copied to the window; returned, what the window
// shows beside it: the map's title in status panel 0 and both check boxes
// visible.  For the duration of the plot the outermost rows and columns of
// the main grid take part (their dt is set to 1, and back to 0 at the end).
// drawVorticityMap first computes the vorticity, which stays in the slot omega; the
// speed range reads it as the mask of the auxiliary grids.
[[nodiscard]] PlotCaption drawVorticityMap(const FieldMapState& state, ViewSurfaces& s);
[[nodiscard]] PlotCaption drawPressureMap(const FieldMapState& state, ViewSurfaces& s);
[[nodiscard]] PlotCaption drawDensityMap(const FieldMapState& state, ViewSurfaces& s);
