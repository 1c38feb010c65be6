#include "run/setup.h"

#include "core/clear_flow.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"

std::optional<SetupProblem> remakeGrids(const GridMakingState& m, RunObserver& observer) {
  observer.setCheckBoxVisible(1, true);
  observer.setCheckBoxVisible(2, true);
  std::optional<SetupProblem> problem = makeGrids(m);
  if (!problem) {
    observer.setStatusText(1, "");
    observer.setStatusText(0, "");
  }
  return problem;
}

namespace {
// A stage's problems appended to the run's, in the order found.
void append(std::vector<SetupProblem>& problems, const std::optional<SetupProblem>& found) {
  if (found) problems.push_back(*found);
}
void append(std::vector<SetupProblem>& problems, const std::vector<SetupProblem>& found) {
  problems.insert(problems.end(), found.begin(), found.end());
}
} // namespace

std::vector<SetupProblem> runCouplingSetup(const GridMakingState& m, RunObserver& observer) {
  clearFlowRecords(m.grids, m.solution);
  std::vector<SetupProblem> problems;
  // A refused layout leaves the last one that fitted, grids included; the
  // coupling is built for what the grids hold.
  append(problems, remakeGrids(m, observer));
  append(problems, computeMetrics(m.layout, m.grids));
  const CouplingState coupling{m.layout, m.grids, m.run, m.coupling, m.solution};
  append(problems, findMainGridLinks(coupling, observer, 1, 1));
  append(problems, cutHoles(coupling, observer));
  append(problems, findOuterEdgeLinks(coupling, observer));
  m.coupling.linkedLayout = m.layout;
  return problems;
}
