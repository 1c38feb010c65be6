#include "coupling/setup.h"

#include "core/clear_flow.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"
#include "layout/grid_making.h"

void runCouplingSetup(Model& m, WindowServices& ws) {
  clearFlowRecords(m);
  // A refused layout leaves the last one that fitted, grids included; the
  // coupling is built for what the grids hold.
  rebuildGrids(m, ws);
  computeMetrics(m, ws);
  findMainGridLinks(m, ws, 1, 1);
  cutHoles(m, ws);
  findOuterEdgeLinks(m, ws);
  m.linkedLayout = m.layout();
}
