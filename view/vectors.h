// The velocity-vector plot ("　速度ベクトル図").
#pragma once

#include "core/model.h"
#include "core/run_observer.h"
#include "view/surface.h"

// drawVelocityVectors: on a white view bitmap, one arrow per grid
// point, 60 pixels per unit of speed whatever the zoom, coloured by speed on
// the scale of the last findSpeedRange in 20 bins (a speed above scaleHigh stays
// red), then the body and wall overlay, and the status text.  Main-grid
// points at rest get no arrow; auxiliary points get one always (their speed
// is offset by 1e-5, so a point at rest shows a dot of the lowest colour).
// mode 2 draws the main grid only, any other mode both grids.  A point with a
// non-finite velocity gets no arrow.  Returns the plot's title for status
// panel 0 (the check boxes stay as they are).  The caller copies the bitmap
// to the window.  Reads the flow, the grids, their pixels and the view's
// colour scale; writes only the bitmap.
[[nodiscard]] PlotCaption drawVelocityVectors(const LayoutParameters& layout, const Grids& grids,
                                              const GridPixels& pixels,
                                              const FlowSolution& solution, const ViewState& view,
                                              DrawingSurface& bitmap, int mode);
