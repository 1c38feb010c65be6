#include "run/setup.h"

#include "core/clear_flow.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"

void showProblems(WindowServices& ws, const std::vector<SetupProblem>& problems) {
  for (const SetupProblem& problem : problems) ws.showMessage(problemText(problem, ws.language()));
}

void showProblems(WindowServices& ws, const std::optional<SetupProblem>& problem) {
  if (problem) ws.showMessage(problemText(*problem, ws.language()));
}

LayoutRefusal remakeGrids(Model& m, WindowServices& ws) {
  ws.setCheckBoxVisible(1, true);
  ws.setCheckBoxVisible(2, true);
  const std::optional<SetupProblem> problem = makeGrids(m);
  showProblems(ws, problem);
  if (!problem) {
    ws.setStatusText(1, "");
    ws.setStatusText(0, "");
  }
  return refusalOf(problem);
}

void runCouplingSetup(Model& m, WindowServices& ws) {
  clearFlowRecords(m.grids, m.solution);
  // A refused layout leaves the last one that fitted, grids included; the
  // coupling is built for what the grids hold.
  remakeGrids(m, ws);
  showProblems(ws, computeMetrics(m));
  showProblems(ws, findMainGridLinks(m, ws, 1, 1));
  showProblems(ws, cutHoles(m, ws));
  showProblems(ws, findOuterEdgeLinks(m, ws));
  m.coupling.linkedLayout = m.layout;
}
