// The convergence history of a run: one record per time step, kept in
// Model::residualHistory.
#pragma once
#include "core/model.h"
#include "solver/flow_check.h"

// The residual of the step just taken, over the points the step updates: the
// main grid's interior points (2..mainNx-1 x 2..mainNy-1) that are not cut out as
// holes, and every body's interior layers 2..bodyLayers-1 at its perimeter points
// bodyFirst..bodyLast-1 (the seam copy bodyLast is the same point as
// bodyFirst and counts once).
//   densityResidual = sqrt( (1/N) sum (dq_rho / dt)^2 ),
// dq_rho being the step's density increment (after smoothing, as addIncrements
// added it) and dt the point's local time step, so each term is the rate of
// change of the density in solver units.  largestSpeed = max sqrt(u^2 + v^2)
// over the same points, after the step.  Reads only; allocates nothing.
StepResidual stepResidual(const LayoutParameters& layout, const Grids& grids,
                          const CouplingTables& coupling, const FlowSolution& solution);

// flowIsSound and, when the flow is sound, stepResidual in *residual: one
// pass over the records for both, the values and their order of summation
// those of the two.  Returns the soundness.
bool checkStep(const LayoutParameters& layout, const Grids& grids, const CouplingTables& coupling,
               const FlowSolution& solution, StepResidual* residual);

// Whether the boundary conditions write only where finishCheckStep looks
// (their receivers lie on the grids' edges or in holes), so that a step's
// tally and finishCheckStep give what checkStep gives.
bool tallyCoversCheck(const LayoutParameters& layout, const Grids& grids,
                      const CouplingTables& coupling);

// checkStep from a step's tally (stepGrids with a tally, then applyBoundaryConditions): the
// points the tally left out checked now, the history summed in checkStep's
// order; checkStep itself when the step gathered no tally.  The same
// verdict and the same bits as checkStep.
bool finishCheckStep(const LayoutParameters& layout, const Grids& grids,
                     const CouplingTables& coupling, const FlowSolution& solution,
                     const StepTally& tally, StepResidual* residual);
