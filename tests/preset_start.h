// A preset's layout from the start-up defaults, set up and at its initial
// state, ready for its first time step.
#pragma once
#include "fake_window_services.h"
#include "layout/presets.h"
#include "run/setup.h"
#include "shown_setup.h"
#include "solver/initial_state.h"

inline void startPreset(Model& m, int preset) {
  setStartupDefaults(m.layout, m.editing, m.view);
  FakeWindowServices ws;
  applyPreset(m, preset);
  m.run.stopFlag = false;
  runCouplingSetupShown(m, ws);
  setInitialState(m.layout, m.flow, m.grids, m.constants, m.solution, m.scratch);
}
