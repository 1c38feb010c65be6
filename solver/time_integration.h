// Time integration: the two-stage rational Runge-Kutta step with local time
// steps, on the main grid and every body's auxiliary grid; in a time-accurate
// run, a three-stage third-order step with one global time step.
#pragma once
#include "solver/flow_check.h"
#include "solver/solver_state.h"

// rationalRungeKuttaIncrement: one step's stages and their combination.
// With g1 = dt R(U^n), g2 = dt R(U^n + g1/2) and g3 = 2 g1 - g2, the residual
// routines leave X = g1/2 in dq and Y = g3 in res and sum the inner products
// (X,X), (X,Y), (Y,Y) over each grid, per conserved component.  The step's
// increment is the rational combination
//   [2 g1 (g1,g3) - g3 (g1,g1)] / (g3,g3) = X 8(X,Y)/(Y,Y) - Y 4(X,X)/(Y,Y),
// written into dq (main-grid points with a hole flag keep X).  Both grids
// divide by 1e-40 + (Y,Y), so a grid on which nothing moves (every Y zero)
// gets a zero increment instead of 0/0.  The accumulators are zero again
// afterwards.
void rationalRungeKuttaIncrement(const SolverState& m);

// The combination half of rationalRungeKuttaIncrement, run after the residual routines: turns the
// stage values X (dq) and Y (res) into the step's increment and clears the
// accumulators.
void combineStages(const SolverState& m);

// rationalRungeKuttaIncrement, smoothMainGrid, smoothBodyGrids(1, bodyPerimeterPoints, 1,
// bodyLayers, 1) and addIncrements: each grid's part of a time step, before the boundary
// conditions.  A time-accurate run takes the three-stage third-order step instead, without
// the smoothings: the residual routines at U^n, then their first stage alone at the third
// stage's state (time_integration.cpp).  The two grids' parts do not
// touch each other's data, so with two or more solver threads (solver/parallel.h) they run at once,
// one on each thread; the results are the same bits. With a tally, each grid's part also gathers
// its share of the soundness check and the convergence history (StepTally) as it goes.
void stepGrids(const SolverState& m, StepTally* tally = nullptr);

// addIncrements ("add, main grid"; it updates the auxiliary grids too): clears the
// increments of the hole list, then adds dq to the interior points of the
// main grid and of every body's auxiliary grid in conserved form and
// recomputes their pressure.  Boundary points are left to applyBoundaryConditions.
void addIncrements(const SolverState& m);
