// The records a run's results are read from, all of them only read: the
// layout and flow conditions on screen, the solver's constants, the grids and
// their coupling tables, the flow with its histories, and the run's steps and
// length.  The batch's summary and the result windows (history, forces,
// surface) read through it; made from the model (its references point into
// the model).
#pragma once

#include "core/model.h"

struct ResultRecords {
  // Implicit, so that a summary or a window is made with the model itself.
  ResultRecords(const Model& m) // NOLINT(google-explicit-constructor)
      : layout(m.layout), flow(m.flow), constants(m.constants), grids(m.grids),
        coupling(m.coupling), solution(m.solution), run(m.run) {}

  const LayoutParameters& layout;
  const FlowConditions& flow;
  const SolverConstants& constants;
  const Grids& grids;
  const CouplingTables& coupling;
  const FlowSolution& solution;
  const RunState& run;
};
