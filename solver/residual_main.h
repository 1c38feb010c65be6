// Navier-Stokes residual and the two stages of the time step on the uniform
// Cartesian main grid.
#pragma once
#include "solver/solver_state.h"

// The free-stream sound speed sqrt(1.4 p / rho) at rho = 1, p = 1, rounded
// as the scheme uses it in its spectral radii and local time steps.
inline constexpr double kMainSoundSpeed = 1.183;

// mainGridResidual: evaluates the discrete
// right-hand side of the compressible Navier-Stokes equations on the main
// grid, times dx^2, as flux differences along the x-lines and then the
// y-lines:
//   R(n) = dx/2 (f(n+1) - f(n-1)) + H(n+1/2) - H(n-1/2),
// f the negated convective flux, H the interface flux of the blended second-
// and fourth-difference dissipation plus the viscous and heat fluxes.  It
// runs both stages of the rational Runge-Kutta step on the interior points:
// stage 1 leaves R(U^n) in res, the local time step in dt (globalTimeStep in
// a time-accurate run) and X = g1/2 in dq;
// stage 2 leaves Y = g3 = 2 g1 - g2 in res, the state back at U^n (pressure
// at its intermediate value) and adds to the main-grid accumulators (mainSumXX, ...).
//
// The order of the work is part of the result: the stage-2 y-pass restores
// U^n line by line, so the cross terms of line i read line i-1 at U^n and
// line i+1 at the intermediate state.
void mainGridResidual(const SolverState& m);

// Stage 1 of mainGridResidual alone: X = g1/2 in dq and the time steps in dt
// (zero at the holes, whose X is then zero), the state in the records as it
// was and the accumulators untouched.  The last stage of the three-stage step
// needs no more.
void mainGridFirstStage(const SolverState& m);

// mainGridResidual with its results left in the work planes (solver/main_planes.h)
// and nothing written to the records: the state at U^n (pressure at its
// intermediate value) in rho, u, v, e, p, the time steps in dt (the holes'
// not yet zero), X in the planes x and Y in r.  The accumulators are added
// to as by mainGridResidual.  The rest of the time step takes them from there
// (mainGridStep).
void mainStages(const SolverState& m);
