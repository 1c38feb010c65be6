#pragma once
#include "core/model.h"

// Shoki_Zahyo2 ("initial coordinates" of a run): clears every slot of every
// flow record, the main grid over its whole capacity and the auxiliary grid
// on layers 1..11.  The slot numbers of FlowPoint are fixed constants here
// (namespace slot), so the numbering half of the routine has nothing to do.
void Shoki_Zahyo2(Model& m);
