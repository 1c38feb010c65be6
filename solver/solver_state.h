// What a time step reads and what it writes, held apart: the layout, the
// solver's constants, the grids and their coupling tables are only read; the
// flow and the solver's work planes are written.  Made from the model where
// a step's routine is called (its references point into the model), so the
// step's routines cannot change the grids or the links they work on.
#pragma once

#include "core/model.h"

struct SolverState {
  // Implicit, so that a routine of the step is called with the model itself.
  SolverState(Model& m) // NOLINT(google-explicit-constructor)
      : layout(m.layout), constants(m.constants), grids(m.grids), coupling(m.coupling),
        solution(m.solution), scratch(m.scratch) {}

  const LayoutParameters& layout;
  const SolverConstants& constants;
  const Grids& grids;
  const CouplingTables& coupling;
  FlowSolution& solution;
  SolverScratch& scratch;
};
