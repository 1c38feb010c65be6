// Body outlines and their body-fitted O-type auxiliary grids.
//
// Each body's grid is a ring of perimeter points p = first..last on layers
// r = 1 (outer edge, bodyGridThickness away from the outline) .. bodyLayers (the body
// outline).  Point last lies on point first; the continuation slots first-1
// and last+1 hold copies of last-1 and first+1, so differences across the
// seam read the true neighbours.  Circles and ellipses run clockwise from
// their lowest point; squares, triangles and plates counterclockwise from
// their lower upstream corner.
#pragma once
#include "core/model.h"

// fillGridSegment: fills the points strictly between (p1, r1) and (p2, r2) on the
// straight segment joining them, with geometrically growing intervals whose
// last is `ratio` times the first.  One of the two indices is held fixed by
// every caller; nothing is written when p2 < p1 or r2 < r1.
void fillGridSegment(Grids& grids, int p1, int r1, int p2, int r2, double ratio);

// The outline makers (circle, square, triangle, flat plate,
// ellipse): write layers 1 and bodyLayers of p = first..last, fill
// the layers between, and write both continuation slots.
void makeCircleOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                       double yc, double s);
void makeSquareOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                       double yc, double s);
void makeTriangleOutline(const LayoutParameters& layout, Grids& grids, int first, int last,
                         double xc, double yc, double s);
void makePlateOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                      double yc, double s);
void makeEllipseOutline(const LayoutParameters& layout, Grids& grids, int first, int last,
                        double xc, double yc, double s);

// turnBodyGrid: turns body b's grid, continuation slots
// included, about (xc, yc) by angle degrees, counterclockwise with y up.
void turnBodyGrid(const LayoutParameters& layout, Grids& grids, int b, double xc, double yc,
                  double angle);

// turnArrangementGrids: turns the whole arrangement about (xc, yc): every
// auxiliary point up to bodyPerimeterPoints + 1, every body centre and every column position.
void turnArrangementGrids(const LayoutParameters& layout, Grids& grids, double xc, double yc,
                          double angle);
