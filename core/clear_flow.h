#pragma once
#include "core/model.h"

// clearFlowRecords, before a run: clears every slot of every
// flow record, the main grid over its points and the auxiliary grid
// on every layer it holds.  The slot numbers of FlowPoint are compile-time constants
// (namespace slot), so there are no slot variables to set before a run.
void clearFlowRecords(const Grids& grids, FlowSolution& solution);
