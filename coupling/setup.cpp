#include "coupling/setup.h"

#include "core/shoki_zahyo2.h"
#include "coupling/holes.h"
#include "coupling/main_grid_links.h"
#include "coupling/metrics.h"
#include "coupling/outer_edge_links.h"
#include "layout/kmake.h"

void runCouplingSetup(Model& m, WindowServices& ws) {
  Shoki_Zahyo2(m);
  // A refused layout leaves the last one that fitted, grids included; the
  // coupling is built for what the grids hold.
  kmake(m, ws);
  Define_Metric(m, ws);
  By_L_R1(m, ws, 1, 1);
  Remove_Pipe_3(m, ws);
  By_L_R2(m, ws);
  m.linkedLayout = m.layout();
}
