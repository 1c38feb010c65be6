// Line drawings of the geometry: body outlines, channel walls, filled bodies,
// both grids, cross marks, and the overlay that finishes every flow plot.
// All take pixel coordinates from the last placeLayoutOnBitmap and round them with
// roundHalfAway.  Pens are one pixel wide.
//
// The channel: the lower wall is the main-grid row j = 1, the upper wall the
// row j = mainNy; the right wall is the column i = mainNx without the outlet
// opening, the rows strictly between outletLow and outletHigh.  The inflow
// column i = 1 is never drawn.
#pragma once

#include "core/model.h"
#include "view/surface.h"

// drawBodyOutlines: every body's outline (its grid layer bodyLayers), black.
void drawBodyOutlines(const Model& m, DrawingSurface& bitmap);

// drawLayoutPicture: the outline picture the layout dialog's "設定" choice asks
// for: drawWholeLayoutPicture for "全体" (wholeLayoutChosen), drawSelectedColumnPicture for
// "選択列ごと".
void drawLayoutPicture(const Model& m, DrawingSurface& bitmap, bool wholeLayoutChosen);

// drawSelectedColumnPicture: outlines and walls black, the bodies of selectedColumn filled
// red.  A selectedColumn without bodies fills none.  Leaves the pen red.
void drawSelectedColumnPicture(const Model& m, DrawingSurface& bitmap);

// drawWholeLayoutPicture: outlines black, every body filled red, the walls red.
// Leaves the pen red and the brush white.
void drawWholeLayoutPicture(const Model& m, DrawingSurface& bitmap);

// drawBodiesOnWindow: every body filled red and the lower and upper walls red,
// straight onto the window surface (between particle frames).  Leaves the
// brush black and the pen white.
void drawBodiesOnWindow(const Model& m, DrawingSurface& window);

// drawMainGridLines / drawBodyGridLines: every line of the main grid (rows, then
// columns) / of the auxiliary grids (rings, then radial lines), black.
void drawMainGridLines(const Model& m, DrawingSurface& bitmap);
void drawBodyGridLines(const Model& m, DrawingSurface& bitmap);

// drawCross: a diagonal cross of half-size s through pixel (x, y) in
// the current pen, (x-s, y-s)->(x+s, y+s) and (x-s, y+s)->(x+s, y-s), each
// without its end pixel.  drawCrossOnWindow draws the same onto the window surface.
void drawCross(DrawingSurface& bitmap, int x, int y, int s);
void drawCrossOnWindow(DrawingSurface& window, int x, int y, int s);

// maskBodiesAndWalls: the overlay that finishes every field and vector plot.
// Body interiors white (over whatever colour spilled into them), 10-pixel
// white strips outside the lower and upper walls, then the walls and body
// outlines in black on top.
void maskBodiesAndWalls(const Model& m, DrawingSurface& bitmap);
