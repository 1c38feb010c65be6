// The four preset arrangements of the pattern menu.  Each writes its values
// into the layout and the view; grid making and the redraw that follow are
// the caller's.
#pragma once
#include "core/model.h"
#include "layout/grid_making.h"

// n = 1..4; false (and nothing written) for any other n.
bool writePreset(LayoutParameters& layout, ViewState& view, int n);

// writePreset, then rebuildGrids; true when the grids are made.
bool applyPreset(const GridMakingState& m, int n);
