// The four preset arrangements of the pattern menu.  Each writes its values
// into the layout and calls rebuildGrids; the redraw that follows is the window's.
#pragma once
#include "core/model.h"
#include "core/window_services.h"

// n = 1..4.  Returns rebuildGrids's result.
bool applyPreset(Model& m, WindowServices& ws, int n);
