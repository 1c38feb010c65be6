#include "run/setup.h"

#include "core/clear_flow.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"

std::optional<SetupProblem> remakeGrids(Model& m, RunObserver& observer) {
  observer.setCheckBoxVisible(1, true);
  observer.setCheckBoxVisible(2, true);
  std::optional<SetupProblem> problem = makeGrids(m);
  if (!problem) {
    observer.setStatusText(1, "");
    observer.setStatusText(0, "");
  }
  return problem;
}

std::vector<SetupProblem> runCouplingSetup(Model& m, RunObserver& observer) {
  clearFlowRecords(m);
  std::vector<SetupProblem> problems;
  const auto add = [&problems](auto&& found) {
    if constexpr (requires { found.has_value(); }) {
      if (found) problems.push_back(*found);
    } else {
      problems.insert(problems.end(), found.begin(), found.end());
    }
  };
  // A refused layout leaves the last one that fitted, grids included; the
  // coupling is built for what the grids hold.
  add(remakeGrids(m, observer));
  add(computeMetrics(m));
  add(findMainGridLinks(m, observer, 1, 1));
  add(cutHoles(m, observer));
  add(findOuterEdgeLinks(m, observer));
  m.linkedLayout = m.layout();
  return problems;
}
