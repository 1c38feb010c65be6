#include "solver/initial_state.h"

#include "coupling/boundary.h"

#include <cmath>

void setInitialState(const LayoutParameters& layout, const FlowConditions& flow, const Grids& grids,
                     SolverConstants& constants, FlowSolution& solution, SolverScratch& scratch) {
  constants.k4Aux = 0.015625;
  constants.k4Main = 0.015625;

  // Free stream: rho = 1, p = 1, the flow conditions' Mach number against
  // the sound speed sqrt(1.4) (classic: Mach 0.05, Re 100).
  const double rhoInf = 1.0;
  const double presInf = 1.0;
  constants.uInf = inflowSpeed(flow);
  constants.reynolds = flow.reynolds;
  constants.auxViscosityFactor = bodyViscosityFactor(flow.bodyViscosity);
  constants.timeAccurate = flow.timeStepping == TimeStepping::timeAccurate;
  constants.periodicSeams = layout.channel.sized;
  solution.globalTimeStep = 0;
  solution.flowTime = 0;

  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j) {
      FlowPoint& f = solution.mainFlow[i][j];
      f.fill(0.0);
      f[slot::omega] = 0;
      f[slot::rho] = 1;
      f[slot::u] = 0;
      f[slot::v] = 0;
      f[slot::pres] = 1;
      f[slot::e] = 2.5 * f[slot::pres];
      for (int k = slot::dt; k <= slot::count; ++k) f[k] = 0;
    }

  for (int p = 1; p < solution.bodyFlow.extent1(); ++p)
    for (int r = 1; r <= layout.bodyLayers; ++r) {
      FlowPoint& f = solution.bodyFlow[p][r][1];
      f.fill(0.0);
      f[slot::rho] = 1;
      f[slot::u] = 0;
      f[slot::v] = 0;
      f[slot::pres] = 1;
      f[slot::e] = 2.5 * f[slot::pres];
    }

  // The inflow column carries the values its boundary condition imposes
  // (at rest when the run starts gently).
  const double ramp = inflowRampAt(layout, constants, 0);
  for (int j = 1; j <= grids.mainNy; ++j) {
    FlowPoint& f = solution.mainFlow[1][j];
    f[slot::rho] = 1;
    f[slot::u] = ramp * inflowSpeedAtRow(constants, grids, layout, j);
    f[slot::v] = 0;
    f[slot::pres] = 1;
    f[slot::e] = 2.5 * f[slot::pres] + 0.5 * f[slot::rho] * f[slot::v] * f[slot::v];
  }

  for (int k = 1; k <= 4; ++k) {
    scratch.mainSumXX[k] = scratch.mainSumXY[k] = scratch.mainSumYY[k] = 0;
    scratch.bodySumXX[k] = scratch.bodySumXY[k] = scratch.bodySumYY[k] = 0;
  }

  constants.uInfTrace = constants.uInf;
  constants.entropyRef = presInf / std::pow(rhoInf, 1.4);
  constants.stressA = 4.0 / 3.0;
  constants.stressB = -2.0 / 3.0;
  constants.heatCoef = 5.0;
  constants.cflMain = 2.65;
  constants.cflAux = 3.2;
  if (constants.timeAccurate) {
    // No residual smoothing (it changes the time derivative to
    // (1 - eps d1^2)(1 - eps d2^2) dU/dt, whatever the step), so the explicit
    // limits: the classic numbers over the smoothing's gain sqrt(1 + 4 eps)
    // = 3.19.  The body grids carry a grid-scale mode that their classic
    // fourth-difference dissipation does not hold without the smoothing; twice
    // that coefficient does (README, "Flow conditions").
    constants.cflMain = 0.83;
    constants.cflAux = 1.0;
    constants.k4Aux = 2 * 0.015625;
  }
  constants.mainDx = grids.mainSpacing / 16;
  constants.mainDx2 = constants.mainDx * constants.mainDx;
}
