// Bodies that overlap: a layout whose bodies overlap each other or reach out
// of the channel gives grids that describe no flow (points of one body's grid
// inside another body, a body the main grid does not surround), so it is
// refused before the main grid is made.
#pragma once
#include "core/model.h"

#include <optional>

// The channel, in layout units: the main grid's rectangle, from the inflow
// x0 to the outlet x1 and from the lower wall y0 to the upper wall y1.
struct ChannelBox {
  double x0, y0, x1, y1;
};

// Column c and body k (lowest first) of a body of the layout.
struct BodyPlace {
  int column = 0, body = 0;
};

struct LayoutOverlap {
  BodyPlace first;
  // The body the first overlaps; none when the first reaches out of the
  // channel (across a wall, the inflow or the outlet).
  std::optional<BodyPlace> second;
};

// The first overlap, in the order of the body table: of a body's outline (the
// closed polygon of the wall layer bodyLayers of its auxiliary grid, points
// bodyFirst..bodyLast, as the grid maker built it) with the outline of a
// later body (touching counts), or of an outline with the channel's edges.
// Nothing when every body stands alone inside the channel.
std::optional<LayoutOverlap> findOverlap(const LayoutParameters& layout, const Grids& grids,
                                         const ChannelBox& channel);
