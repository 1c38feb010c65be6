// What the coupling's searches read and what they write, held apart: the
// layout and the grids are only read; the coupling tables are written, the
// flow only where hole cutting marks the points it has reached, and the run
// only where a list over its capacity stops it (or a stop asked for is read).
// Made from the model where a search is called (its references point into
// the model).
#pragma once

#include "core/model.h"

struct CouplingState {
  // Implicit, so that a search is called with the model itself.
  CouplingState(Model& m) // NOLINT(google-explicit-constructor)
      : CouplingState(m.layout, m.grids, m.run, m.coupling, m.solution) {}
  CouplingState(const LayoutParameters& layout, const Grids& grids, RunState& run,
                CouplingTables& coupling, FlowSolution& solution)
      : layout(layout), grids(grids), run(run), coupling(coupling), solution(solution) {}

  const LayoutParameters& layout;
  const Grids& grids;
  RunState& run;
  CouplingTables& coupling;
  FlowSolution& solution;
};
