#include "layout/channel_extent.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
int wholeCells(double length, double h) {
  return static_cast<int>(std::nearbyint(length / h));
}

// The x of the last column's centres as placed (the first column's is 0).

double lastColumnX(const LayoutParameters& layout, const Grids& grids) {
  return layout.nColumns >= 1 ? grids.columnBody[layout.nColumns][1].columnBodyX : 0;
}
} // namespace

double mainGridSpacing(const LayoutParameters& layout, int fineness) {
  const double classic = 1.25 / fineness;
  if (!layout.channel.sized) return classic;
  const double height = layout.channel.height;
  return height / std::max(1, wholeCells(height, classic));
}

MainGridSpan sizedChannelSpan(const LayoutParameters& layout, const Grids& grids, double h) {
  const ChannelConditions& c = layout.channel;
  const int cellsX = wholeCells(c.upstream + lastColumnX(layout, grids) + c.downstream, h);
  const int cellsY = wholeCells(c.height, h);
  return {-c.upstream, -c.bodyOffset - 0.5 * cellsY * h, cellsX + 1, cellsY + 1};
}

ChannelConditions channelOfGrid(const LayoutParameters& layout, const Grids& grids) {
  const double x0 = grids.mainGrid[1][1].mainGridX, x1 = grids.mainGrid[grids.mainNx][1].mainGridX;
  const double y0 = grids.mainGrid[1][1].mainGridY, y1 = grids.mainGrid[1][grids.mainNy].mainGridY;
  ChannelConditions built = layout.channel;
  built.height = y1 - y0;
  built.upstream = -x0;
  built.downstream = x1 - lastColumnX(layout, grids);
  built.bodyOffset = -0.5 * (y0 + y1);
  return built;
}

void setOutletRows(const LayoutParameters& layout, Grids& grids) {
  if (layout.channel.outlet == ChannelOutlet::whole) {
    grids.outletLow = 2;
    grids.outletHigh = grids.mainNy - 1;
  } else {
    grids.outletLow = grids.mainNy / 3 + 1;
    grids.outletHigh = grids.mainNy - grids.mainNy / 3;
  }
}

std::optional<BodyPlace> bodyTooNearChannelEdge(const LayoutParameters& layout, const Grids& grids,
                                                const ChannelBox& channel) {
  const double t = layout.bodyGridThickness;
  const ChannelBox inner{channel.x0 + t, channel.y0 + t, channel.x1 - t, channel.y1 - t};
  if (inner.x0 >= inner.x1 || inner.y0 >= inner.y1) return BodyPlace{1, 1};
  const std::optional<LayoutOverlap> overlap = findOverlap(layout, grids, inner);
  if (!overlap) return std::nullopt;
  return overlap->first;
}
