// The first stages of grid making: where the bodies stand, the table of
// bodies, and each body's share of the combined auxiliary-grid array.
#pragma once
#include "core/model.h"

// Perimeter intervals of one body's auxiliary grid.  D = size + 2*thickness is
// the diameter (or side) of the grid's outer edge; the divisor 2.5 sets the
// spacing of the points along that edge in layout units.
int perimeterIntervals(int shapeCode, double size, double bodyGridThickness, double ellipseRatio);

// Highest perimeter index the current layout would use, bodyPerimeterPoints + 1, computed
// from the layout parameters and the grids' fineness alone (nothing is written).
int requiredPerimeterIndex(const LayoutParameters& layout, int fineness = 1);

// Placement: columnBodyX/Y of every body, columns spaced by columnGap along
// x from x = 0, each column centred on y = 0 with body 1 lowest.
void placeBodies(const LayoutParameters& layout, Grids& grids);

// Body table: nBodies, bodyShape, bodySize, bodyPoints.
void fillBodyTable(const LayoutParameters& layout, Grids& grids);

// Perimeter ranges: bodyFirst, bodyLast, bodyPerimeterPoints.  Body 1 starts at index 2 and
// every further body four indices after the previous body's last index.
void assignPerimeterRanges(Grids& grids);
