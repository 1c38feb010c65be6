// Contouring of a scalar flow slot on both grids, cell by cell in pixel space:
// contour lines, filled colour bands, or bands with black lines on top, in the
// colours of the shared scale (colour_scale.h) with n levels between scaleLow
// and scaleHigh, bin = (scaleHigh - scaleLow)/n.
//
// A cell of the main grid is (i, j) with corners A = (i, j), B = (i+1, j),
// C = (i+1, j+1), D = (i, j+1); a cell of an auxiliary grid is (p, r) with
// its corners in the same order.  Edges are always taken in the order bottom
// A-B, right B-C, top C-D, left D-A.  An edge P-Q is crossed by level v when
// (F(Q) - v)(F(P) - v) < 0, strictly: a level through a node crosses neither
// edge at that node.  The crossing lies at t = (v - F(P))/(F(Q) - F(P)) along
// the edge, interpolated in unrounded pixels and rounded with roundHalfAway.
//
// On the main grid a point whose dt is 0 (a hole) does not take part: the
// crossings of the edges that touch a masked corner B, C or D are dropped, so
// lines and bands stop at holes.  The auxiliary grids have no mask.  A cell
// with a non-finite corner value (a diverged run) is skipped.
//
// The order of painting is the picture: later bands cover earlier ones, the
// black lines come last.  Nothing here allocates.
//
// The routines read the flow's values, the pixels of the grid points and the
// view's colour scale and contour options, and write only the bitmap.
#pragma once

#include "core/model.h"
#include "view/surface.h"

// A node of either grid: (i, j) of the main grid or (p, r) of an auxiliary one.
struct GridNode {
  int a, b;
};

// drawMainContours: contours of slot c on the main-grid cells
// i = i0..i1-1, j = j0..j1-1: with fillContours the bands (drawMainContourBands) and,
// with blackLines as well, the lines (drawMainContourLines) over them; without
// fillContours only the lines.
void drawMainContours(const FlowSolution& solution, const GridPixels& pixels, const ViewState& view,
                      DrawingSurface& bitmap, int i0, int i1, int j0, int j1, int c, int n);
// drawBodyContours: the same on the cells p = p0..p1-1, r = r0..r1-1 of grid set g.
void drawBodyContours(const FlowSolution& solution, const GridPixels& pixels, const ViewState& view,
                      DrawingSurface& bitmap, int p0, int p1, int r0, int r1, int g, int c, int n);

// drawMainContourLines / drawBodyContourLines: the n contour lines at
// scaleLow + bin .. scaleHigh, each in the ramp colour of its level, or black
// with blackLines.  In each cell the first and third crossings start a stroke
// and the second and fourth end it (a saddle joins bottom-right and
// top-left).  Main-grid masks: dt(D) = 0 drops the top and left edges,
// dt(C) = 0 the right and top edges.
void drawMainContourLines(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int i0, int i1, int j0,
                          int j1, int c, int n);
void drawBodyContourLines(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int p0, int p1, int r0,
                          int r1, int g, int c, int n);

// drawMainContourBands / drawBodyContourBands: n + 2 bands, the first below
// scaleLow and the last above scaleHigh.  For the band with upper edge v:
//   pass 1, the cell centres: the triangles (corner, next corner, centre) of
//     every cell whose centre value and both corners lie within the band
//     widened by eps (range/400 on the main grid, range/10000 on the
//     auxiliary grids), in the colour of v;
//   pass 2, the lower half: the partial polygons of each pair of crossings at
//     v (paintBandPiece) and the hull of all crossings at v and v - bin (listBandCrossing), in
//     the colour of v;
//   pass 3, the upper half: the partial polygons of the crossings at v, in the
//     colour of v + bin, for the band [v, v + bin].
// Main-grid masks of passes 2 and 3: dt(B) = 0 drops the right edge, dt(C) = 0
// the top, dt(D) = 0 the left; pass 1 drops the corners B, C, D whose dt is 0.
void drawMainContourBands(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int i0, int i1, int j0,
                          int j1, int c, int n);
void drawBodyContourBands(const FlowSolution& solution, const GridPixels& pixels,
                          const ViewState& view, DrawingSurface& bitmap, int p0, int p1, int r0,
                          int r1, int g, int c, int n);
