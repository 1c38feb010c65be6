#include "analysis/recirculation.h"

#include "analysis/flow_probe.h"

#include <algorithm>
#include <limits>

namespace {

// The largest x at which the wall polygon of body b crosses y = yc.
double rearOf(const LayoutParameters& layout, const Grids& grids, int b, double yc) {
  double rear = -std::numeric_limits<double>::infinity();
  const int r = layout.bodyLayers;
  for (int p = grids.bodyFirst[b]; p < grids.bodyLast[b]; ++p) {
    const AuxPoint &a = grids.bodyGrid[p][r][1], &c = grids.bodyGrid[p + 1][r][1];
    const double ya = a.bodyGridY - yc, yb = c.bodyGridY - yc;
    if ((ya < 0) == (yb < 0) || ya == yb) continue;
    const double t = ya / (ya - yb);
    rear = std::max(rear, a.bodyGridX + t * (c.bodyGridX - a.bodyGridX));
  }
  return rear;
}

} // namespace

Recirculation recirculationBehind(const LayoutParameters& layout, const Grids& grids,
                                  const CouplingTables& coupling, const FlowSolution& solution,
                                  int b) {
  const double xc = grids.body[b].bodyX, yc = grids.body[b].bodyY;
  const double rear = rearOf(layout, grids, b, yc);
  const double step = (rear - xc) / 200;
  const double size = grids.bodySize[b];
  const auto result = [&](double length) {
    return Recirculation{length, size > 0 ? length / size : 0};
  };
  if (!(step > 0)) return result(0);
  // The first sample half a step behind the rear, clear of the wall's zero.
  double xBefore = rear, uBefore = 0;
  for (double x = rear + 0.5 * step;; x += step) {
    const auto v = probeFlow(layout, grids, coupling, solution, x, yc);
    if (!v) return result(xBefore - rear);
    if (v->u >= 0) {
      if (uBefore >= 0) return result(0);
      return result(xBefore + (x - xBefore) * uBefore / (uBefore - v->u) - rear);
    }
    xBefore = x;
    uBefore = v->u;
  }
}
