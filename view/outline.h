// Line drawings of the geometry: body outlines, channel walls, filled bodies,
// both grids, cross marks, and the overlay that finishes every flow plot.
// All take pixel coordinates from the last Henkan_Scale and round them with
// Roun2.  Pens are one pixel wide.
//
// The channel: the lower wall is the main-grid row j = 1, the upper wall the
// row j = ryNy; the right wall is the column i = ryNx without the outlet
// opening, the rows strictly between ryGapLow and ryGapHigh.  The inflow
// column i = 1 is never drawn.
#pragma once

#include "core/model.h"
#include "view/surface.h"

// Draw_Waku ("draw frame"): every body's outline (its grid layer wkNr), black.
void Draw_Waku(const Model& m, DrawingSurface& bitmap);

// Draw_Waku2: the outline picture the layout dialog's "設定" choice asks
// for: Draw_Target_all for "全体" (wholeLayoutChosen), Draw_Target for
// "選択列ごと".
void Draw_Waku2(const Model& m, DrawingSurface& bitmap, bool wholeLayoutChosen);

// Draw_Target: outlines and walls black, the bodies of selectedColumn filled
// red.  A selectedColumn without bodies fills none.  Leaves the pen red.
void Draw_Target(const Model& m, DrawingSurface& bitmap);

// Draw_Target_all: outlines black, every body filled red, the walls red.
// Leaves the pen red and the brush white.
void Draw_Target_all(const Model& m, DrawingSurface& bitmap);

// Draw_Target_all2: every body filled red and the lower and upper walls red,
// straight onto the window surface (between particle frames).  Leaves the
// brush black and the pen white.
void Draw_Target_all2(const Model& m, DrawingSurface& window);

// Draw_Grid_RY / Draw_Grid_WK: every line of the main grid (rows, then
// columns) / of the auxiliary grids (rings, then radial lines), black.
void Draw_Grid_RY(const Model& m, DrawingSurface& bitmap);
void Draw_Grid_WK(const Model& m, DrawingSurface& bitmap);

// Batu ("cross mark"): a diagonal cross of half-size s through pixel (x, y) in
// the current pen, (x-s, y-s)->(x+s, y+s) and (x-s, y+s)->(x+s, y-s), each
// without its end pixel.  Batu2 draws the same onto the window surface.
void Batu(DrawingSurface& bitmap, int x, int y, int s);
void Batu2(DrawingSurface& window, int x, int y, int s);

// draw_ume ("fill in"): the overlay that finishes every field and vector plot.
// Body interiors white (over whatever colour spilled into them), 10-pixel
// white strips outside the lower and upper walls, then the walls and body
// outlines in black on top.
void draw_ume(const Model& m, DrawingSurface& bitmap);
