// Grid making and the coupling set-up as the window does them: what they
// return is shown as the window's modal messages, in order.
#pragma once

#include "core/window_services.h"
#include "run/setup.h"

inline LayoutRefusal remakeGridsShown(Model& m, WindowServices& ws) {
  const std::optional<SetupProblem> problem = remakeGrids(m, ws);
  showProblems(ws, problem);
  return refusalOf(problem);
}

inline void runCouplingSetupShown(Model& m, WindowServices& ws) {
  showProblems(ws, runCouplingSetup(m, ws));
}
