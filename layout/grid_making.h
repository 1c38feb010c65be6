// Grid making: turns the current layout into the body table, every body's
// auxiliary O-grid and the Cartesian main grid.
#pragma once
#include "core/model.h"
#include "core/setup_problem.h"

#include <optional>

// What making the grids reads and writes, held apart: the flow conditions
// are only read (their fineness); the layout is written where its body
// layers follow from the fineness or a refused layout is put back, and the
// dialog's selection is kept inside it; the grids, and the main grid's hole
// flags, flow and work planes sized with them, are written; made grids end
// the flow's result, the run's step count and the particle traces.  Made
// from the model where the grids are made (its references point into the
// model).
struct GridMakingState {
  // Implicit, so that the grids are made with the model itself.
  GridMakingState(Model& m) // NOLINT(google-explicit-constructor)
      : flow(m.flow), layout(m.layout), editing(m.editing), grids(m.grids), coupling(m.coupling),
        pixels(m.pixels), solution(m.solution), scratch(m.scratch), run(m.run), view(m.view) {}

  const FlowConditions& flow;
  LayoutParameters& layout;
  LayoutEditing& editing;
  Grids& grids;
  CouplingTables& coupling;
  GridPixels& pixels;
  FlowSolution& solution;
  SolverScratch& scratch;
  RunState& run;
  ViewState& view;
};

// makeGrids: rebuilds the body table and both grids from the layout
// parameters, sets particleState = 1 and stepsDone = 1 and ends the
// possibility to continue a run (flowStep = 0).
// A layout that needs more perimeter indices or a larger main grid than the
// arrays hold is refused before anything is written: the layout parameters
// are put back to the last layout that fitted, the grids stay as they were,
// and the problem is returned with the numbers needed and the capacities.  A
// layout whose bodies' outlines overlap each other or reach out of the main
// grid's rectangle is refused the same way, the problem naming the bodies
// (layout/overlaps.h); the capacities are checked first.
std::optional<SetupProblem> makeGrids(const GridMakingState& m);

// rebuildGrids: makeGrids, true when the grids are made.
bool rebuildGrids(const GridMakingState& m);

// Why a layout was refused.
enum class LayoutRefusal {
  none,     // the grids are made
  capacity, // more points than the arrays hold
  overlap,  // bodies overlap each other or reach out of the channel
};
LayoutRefusal refusalOf(const std::optional<SetupProblem>& problem);

// makeMainGrid: the uniform main grid around the bodies (called by rebuildGrids).
void makeMainGrid(const LayoutParameters& layout, Grids& grids, GridPixels& pixels,
                  CouplingTables& coupling, FlowSolution& solution, SolverScratch& scratch);
