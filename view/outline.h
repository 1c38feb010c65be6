// Line drawings of the geometry: body outlines, channel walls, filled bodies,
// both grids, cross marks, and the overlay that finishes every flow plot.
// All take pixel coordinates from the last placeLayoutOnBitmap (the pixels
// record) and round them with roundHalfAway; they read the layout's layers
// and the grids' body table and sizes, and write only the bitmap.  Pens are
// one pixel wide.
//
// The channel: the lower wall is the main-grid row j = 1, the upper wall the
// row j = mainNy; the right wall is the column i = mainNx without the outlet
// opening, the rows strictly between outletLow and outletHigh.  The inflow
// column i = 1 is never drawn.
#pragma once

#include "core/model.h"
#include "view/surface.h"

// drawBodyOutlines: every body's outline (its grid layer bodyLayers), black.
void drawBodyOutlines(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                      DrawingSurface& bitmap);

// drawLayoutPicture: the outline picture the layout dialog's "設定" choice asks
// for: drawWholeLayoutPicture for "全体" (wholeLayoutChosen), drawSelectedColumnPicture for
// "選択列ごと".
void drawLayoutPicture(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                       const LayoutEditing& editing, DrawingSurface& bitmap,
                       bool wholeLayoutChosen);

// drawSelectedColumnPicture: outlines and walls black, the bodies of selectedColumn filled
// red.  A selectedColumn without bodies fills none.  Leaves the pen red.
void drawSelectedColumnPicture(const LayoutParameters& layout, const Grids& grids,
                               const GridPixels& pixels, const LayoutEditing& editing,
                               DrawingSurface& bitmap);

// drawWholeLayoutPicture: outlines black, every body filled red, the walls red.
// Leaves the pen red and the brush white.
void drawWholeLayoutPicture(const LayoutParameters& layout, const Grids& grids,
                            const GridPixels& pixels, DrawingSurface& bitmap);

// drawBodiesOnWindow: every body filled red and the lower and upper walls red,
// straight onto the window surface (between particle frames).  Leaves the
// brush black and the pen white.
void drawBodiesOnWindow(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, DrawingSurface& window);

// drawMainGridLines / drawBodyGridLines: every line of the main grid (rows, then
// columns) / of the auxiliary grids (rings, then radial lines), black.
void drawMainGridLines(const Grids& grids, const GridPixels& pixels, DrawingSurface& bitmap);
void drawBodyGridLines(const LayoutParameters& layout, const Grids& grids, const GridPixels& pixels,
                       DrawingSurface& bitmap);

// drawCross: a diagonal cross of half-size s through pixel (x, y) in
// the current pen, (x-s, y-s)->(x+s, y+s) and (x-s, y+s)->(x+s, y-s), each
// without its end pixel.  drawCrossOnWindow draws the same onto the window surface.
void drawCross(DrawingSurface& bitmap, int x, int y, int s);
void drawCrossOnWindow(DrawingSurface& window, int x, int y, int s);

// maskBodiesAndWalls: the overlay that finishes every field and vector plot.
// Body interiors white (over whatever colour spilled into them), 10-pixel
// white strips outside the lower and upper walls, then the walls and body
// outlines in black on top.
void maskBodiesAndWalls(const LayoutParameters& layout, const Grids& grids,
                        const GridPixels& pixels, DrawingSurface& bitmap);
