// The view transform: model coordinates (layout units, y upwards) to pixels of
// the view bitmap (y downwards), and the one rounding rule by which a mapped
// coordinate becomes a pixel.
#pragma once

#include "core/model.h"
#include "view/surfaces.h"

#include <cmath>

// roundHalfAway: the pixel rounding of every drawn coordinate, halves away from zero:
// trunc(x + 0.5) for x >= 0 and -trunc(|x| + 0.5) below (2.5 -> 3,
// -0.5 -> -1).  A value beyond a billion pixels saturates there and NaN gives
// 0, so that no coordinate, however wild the field behind it, overflows an int.
inline int roundHalfAway(double x) {
  constexpr double limit = 1 << 30;
  if (x >= 0) {
    const double t = std::trunc(x + 0.5);
    return t >= limit ? static_cast<int>(limit) : static_cast<int>(t);
  }
  if (x < 0) {
    const double t = std::trunc(-x + 0.5);
    return t >= limit ? -static_cast<int>(limit) : -static_cast<int>(t);
  }
  return 0; // NaN
}

// placeLayoutOnBitmap: rewrites the pixels record, the pixel positions of
// every auxiliary-grid point, main-grid point, body centre and per-column
// body position, from the grids' coordinates, the view parameters and the
// bitmap's size W x H:
//   pixX = (x - viewCentreX)·viewScale + W div 2
//   pixY = -(y - y0)·viewScale + H div 2,
// y0 = viewCentreY on a bitmap wider than high, viewCentreY - 20 otherwise.
// Also sets particleState = 1 (traces must be seeded again).  The window
// then shows its controls of a new view (showNewViewControls).
void placeLayoutOnBitmap(const LayoutParameters& layout, const Grids& grids, ViewState& view,
                         GridPixels& pixels, const DrawingSurface& bitmap);
// The view's centre at start, once the grids of the start-up layout are
// made: half way along the channel to the last column, 10 layout units
// towards the inflow (viewCentreY and viewScale keep their start values).
void centreViewAtStart(const LayoutParameters& layout, const Grids& grids, ViewState& view);

// The view that keeps the layout in sight: both channel walls (the main
// grid's first and last rows) and every body grid, inside the bitmap below
// its top topHidden pixels (covered by the strip of controls) and above row
// shownHeight (the window shows no more of it) with a margin
// of a few pixels.  A view that shows them already is left exactly as it
// is, and false returned; otherwise the scale shrinks (never grows) until
// they fit and the view centres on them.
bool fitViewToLayout(const Grids& grids, ViewState& view, const DrawingSurface& bitmap,
                     int topHidden, int shownHeight);
// The view the program starts with: the start-up scale and height, and the
// centre of centreViewAtStart.
void resetView(const LayoutParameters& layout, const Grids& grids, ViewState& view);
// The layout point under a pixel of the view bitmap: the inverse of the
// mapping below.
struct LayoutPoint {
  double x, y;
};
LayoutPoint pixelToLayout(const ViewState& view, const DrawingSurface& bitmap, double px,
                          double py);

// The mapping of placeLayoutOnBitmap alone, without its other effects: how a new
// size of the bitmap moves the picture.  Writes only the pixels.
void mapToPixels(const LayoutParameters& layout, const Grids& grids, const ViewState& view,
                 GridPixels& pixels, const DrawingSurface& bitmap);

// The six pan and zoom buttons of the main window, by the parameter they change.
enum class ViewChange {
  centreXPlus,  // pan left: viewCentreX + 4 (the picture moves left)
  centreXMinus, // pan right: viewCentreX - 4
  centreYPlus,  // pan down: viewCentreY + 4 (the picture moves down)
  centreYMinus, // pan up: viewCentreY - 4
  zoomOut,      // zoom out: viewScale / 1.05
  zoomIn,       // zoom in: viewScale * 1.05
};

// A pan or zoom press: the view bitmap white, the parameter changed,
// placeLayoutOnBitmap, the outline picture (drawLayoutPicture with the layout dialog's
// choice, true for "全体"), the bitmap copied to the window.  Whatever plot was
// on screen is replaced by the outlines.
void changeView(const LayoutParameters& layout, const LayoutEditing& editing, const Grids& grids,
                ViewState& view, GridPixels& pixels, ViewSurfaces& s, ViewChange change,
                bool wholeLayoutChosen);
