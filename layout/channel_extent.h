// The main grid of an explicit channel (core/channel_conditions.h).
#pragma once
#include "core/messages.h"
#include "core/model.h"
#include "layout/overlaps.h"

#include <string>

// The main grid's first point (x0, y0), in layout units, and its points.
struct MainGridSpan {
  double x0, y0;
  int nx, ny;
};

// The main grid's spacing at grid fineness f, in layout units.  The classic
// channel has h0 = 1.25 / f.  A given channel of height H has the spacing
// nearest h0 that lays H on whole cells, h = H / N with N = round(H / h0)
// (halves to even, at least 1), so both walls lie on grid rows exactly
// where they were asked for.  H lies within half a cell of N h0, so h lies
// within h0 / (2N) of h0 (the benchmark's channel, 32.8 high: +0.9 % at
// f = 1 and 2, -0.35 % at 3, -0.04 % at 4).
double mainGridSpacing(const LayoutParameters& layout, int fineness);

// The main grid spanning layout.channel at the spacing h, for the bodies as
// placed (the first column's centre line at x = 0, the bodies' centre line
// at y = 0).  The grid keeps one spacing (the main grid's residual and the
// donor search rely on it), so the channel is laid on whole cells: the
// inflow lies exactly `upstream` before the first column and the channel's
// centre line exactly `bodyOffset` below the bodies'; the height and the
// length are rounded to the nearest whole number of cells (halves to even).
// At the spacing mainGridSpacing gives, the height is whole cells, so the
// walls lie exactly `height` / 2 either side of the centre line, and the
// outlet lies within half a cell of where it was asked for.
MainGridSpan sizedChannelSpan(const LayoutParameters& layout, const Grids& grids, double h);

// The channel as the main grid spans it, in the names of a given channel:
// the wall rows' distance, the inflow's distance before the first column
// and the outlet's after the last (centre lines before the arrangement's
// turn), the bodies' centre line above the channel's; the other choices as
// set.  For a given channel the lengths differ from those asked for by the
// rounding to whole cells; for the classic one they are its extent.
ChannelConditions channelOfGrid(const LayoutParameters& layout, const Grids& grids);

// The outlet rows of the right column: the middle third, or every row
// between the walls (2..ny - 1; the corners stay walls).
void setOutletRows(const LayoutParameters& layout, Grids& grids);

// The first body, in body-table order, whose surface comes closer to an
// edge of the channel than its grid's thickness (bodyGridThickness), so that its
// grid would reach across a wall, the inflow or the outlet.  None when every
// body's grid lies inside the channel.
std::optional<BodyPlace> bodyTooNearChannelEdge(const LayoutParameters& layout, const Grids& grids,
                                                const ChannelBox& channel);
