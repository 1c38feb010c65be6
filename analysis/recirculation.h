// The recirculation behind a body: how far downstream of its rear the flow
// along the body's centre line runs back towards it.  Reads the layout, the
// grids, the holes and the flow only.
#pragma once
#include "core/model.h"

struct Recirculation {
  double length;        // layout units, 0 when the flow behind the rear runs downstream
  double lengthInSizes; // length over the body's size
};

// Along the line y = y_c through body b's centre in the flow direction (+x),
// from the rear of the body (the last crossing of that line by the wall
// polygon, layer bodyLayers of its grid) to the first point where the
// velocity u along the line changes sign from negative to positive, at the
// zero of the straight line through the two samples on either side.  The
// flow is sampled as the value probe reads it (analysis/flow_probe.h), at
// steps of a two-hundredth of the distance from the centre to the rear.
// Length 0 when u is not negative just behind the rear; when the reversed
// flow reaches the end of the flow (the outlet, another body), the length
// to the last sample.
Recirculation recirculationBehind(const LayoutParameters& layout, const Grids& grids,
                                  const CouplingTables& coupling, const FlowSolution& solution,
                                  int b);
