// What the flow conditions do to the equations: the body grids' viscosity
// (classic twice the main grid's, uniform the same) on a shear flow whose
// viscous heating is known, and the time-accurate step (every point the same
// step, a sound pulse moving at the speed of sound).
#include "solver/global_time_step.h"
#include "solver/initial_state.h"
#include "solver/residual_aux.h"
#include "solver/time_integration.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A round ring (no wobble) in a small channel, holding the linear shear
// u = g y (y in solver units), v = 0, rho = p = 1.
std::unique_ptr<Model> shearRing(double g, BodyViscosity viscosity) {
  auto m = makeModel();
  synthetic::mainGrid(*m, 24, 17);
  m->layout.bodyLayers = 10;
  synthetic::ringBody(*m, 15, 10, 4.0, 6.2, 48, 0.0);
  m->flow.bodyViscosity = viscosity;
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  synthetic::fillFlow(
      *m, [&](FlowPoint& f, double, double y) { synthetic::setState(f, 1, g * y / 16, 0, 1); });
  return m;
}

// The stage-1 residual per unit area, R / J = 2 X / dt, of point (p, r).
double rateOf(const Model& m, int p, int r, int k) {
  const FlowPoint& f = m.solution.bodyFlow[p][r][1];
  return 2 * f[slot::dq + k] / f[slot::dt];
}

TEST(BodyViscosity, UniformHalvesTheBodyGridsViscousTermsAndHeatsAShearAtMuGSquared) {
  // The viscous part of the residual is R(Re) - R(inviscid); a linear shear
  // has a constant stress mu g, so it does no net work on the momentum and
  // heats the gas at mu g^2 per unit volume (R(E) / J, the curvilinear
  // residual's area being J), with mu = 2 uInf / Re (classic) or uInf / Re.
  const double g = 0.02;
  const int r = 5;
  double heating[2] = {};
  for (BodyViscosity v : {BodyViscosity::classic, BodyViscosity::uniform}) {
    auto viscous = shearRing(g, v), inviscid = shearRing(g, v);
    const int pF = viscous->grids.bodyFirst[1], pL = viscous->grids.bodyLast[1];
    bodyGridResidual(*viscous, pF, pL, 2, viscous->layout.bodyLayers - 1, 1,
                     viscous->constants.reynolds);
    bodyGridResidual(*inviscid, pF, pL, 2, inviscid->layout.bodyLayers - 1, 1, 1e300);
    const double mu =
        bodyViscosityFactor(v) * viscous->constants.uInf / viscous->constants.reynolds;
    double sum = 0;
    for (int p = pF; p < pL; ++p) {
      const double energy = rateOf(*viscous, p, r, 3) - rateOf(*inviscid, p, r, 3);
      EXPECT_NEAR(energy, mu * g * g, 0.03 * mu * g * g) << nameOf(v) << " at p " << p;
      sum += energy;
    }
    heating[static_cast<int>(v)] = sum;
  }
  EXPECT_NEAR(heating[1] / heating[0], 0.5, 1e-5) << "uniform over classic";
}

// A channel of nx by ny points at rest, without bodies, in a time-accurate run.
std::unique_ptr<Model> quietChannel(int nx, int ny) {
  auto m = makeModel();
  synthetic::mainGrid(*m, nx, ny);
  m->layout.bodyLayers = 10;
  m->flow.timeStepping = TimeStepping::timeAccurate;
  setInitialState(m->layout, m->flow, m->grids, m->constants, m->solution, m->scratch);
  synthetic::fillFlow(*m, [](FlowPoint& f, double, double) { synthetic::setState(f, 1, 0, 0, 1); });
  return m;
}

TEST(TimeAccurate, EveryPointTakesTheSmallestLocalStep) {
  auto m = shearRing(0.5, BodyViscosity::uniform);
  m->flow.timeStepping = TimeStepping::timeAccurate;
  m->constants.timeAccurate = true;
  // The local steps of the same state, from a run with local steps.
  auto local = shearRing(0.5, BodyViscosity::uniform);
  stepGrids(*local);
  double smallest = 1e300;
  for (int i = 2; i < local->grids.mainNx; ++i)
    for (int j = 2; j < local->grids.mainNy; ++j)
      smallest = std::min(smallest, local->solution.mainFlow[i][j][slot::dt]);
  for (int p = local->grids.bodyFirst[1]; p <= local->grids.bodyLast[1]; ++p)
    for (int r = 2; r < local->layout.bodyLayers; ++r)
      smallest = std::min(smallest, local->solution.bodyFlow[p][r][1][slot::dt]);

  m->solution.globalTimeStep =
      stableGlobalTimeStep(m->layout, m->constants, m->grids, m->coupling, m->solution);
  EXPECT_NEAR(m->solution.globalTimeStep, smallest, 1e-12 * smallest);
  stepGrids(*m);
  for (int i = 2; i < m->grids.mainNx; ++i)
    for (int j = 2; j < m->grids.mainNy; ++j)
      ASSERT_EQ(m->solution.mainFlow[i][j][slot::dt], m->solution.globalTimeStep)
          << "main " << i << "," << j;
  for (int p = m->grids.bodyFirst[1]; p <= m->grids.bodyLast[1]; ++p)
    for (int r = 2; r < m->layout.bodyLayers; ++r)
      ASSERT_EQ(m->solution.bodyFlow[p][r][1][slot::dt], m->solution.globalTimeStep)
          << "body " << p << "," << r;
}

TEST(TimeAccurate, ASoundPulseMovesAtTheSpeedOfSound) {
  // A weak isentropic pressure pulse, uniform across the channel, at rest:
  // it splits into two halves running at c = sqrt(1.4) both ways.  The edge
  // rows mirror their neighbours (slip walls), so the flow stays
  // one-dimensional; the pulse stays clear of the end columns.  The narrow
  // pulse holds the time derivative to the flow's own: smoothing the
  // increments, (1 - eps d^2) dU/dt = R, would slow it by a tenth.
  const int nx = 250, ny = 101, mid = 51, start = 100;
  for (const double widthInCells : {25.0, 8.0}) {
    auto m = quietChannel(nx, ny);
    const double x0 = (start - 1) * m->grids.mainSpacing,
                 width = widthInCells * m->grids.mainSpacing;
    const double amplitude = 1e-3;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double x, double) {
      const double p = 1 + amplitude * std::exp(-std::pow((x - x0) / width, 2));
      synthetic::setState(f, std::pow(p, 1 / 1.4), 0, 0, p);
    });
    for (int step = 0; step < 40; ++step) {
      m->solution.globalTimeStep =
          stableGlobalTimeStep(m->layout, m->constants, m->grids, m->coupling, m->solution);
      stepGrids(*m);
      m->solution.flowTime += m->solution.globalTimeStep;
      for (int i = 1; i <= nx; ++i)
        m->solution.mainFlow[i][1] = m->solution.mainFlow[i][2],
        m->solution.mainFlow[i][ny] = m->solution.mainFlow[i][ny - 1];
    }
    // The crest of the right-going half, by a parabola through the largest
    // pressure and its neighbours (layout units; the solver's unit is 16).
    int top = start + 5;
    for (int i = top; i < nx; ++i)
      if (m->solution.mainFlow[i][mid][slot::pres] > m->solution.mainFlow[top][mid][slot::pres])
        top = i;
    const double a = m->solution.mainFlow[top - 1][mid][slot::pres],
                 b = m->solution.mainFlow[top][mid][slot::pres],
                 c = m->solution.mainFlow[top + 1][mid][slot::pres];
    const double crest = (top - 1 + 0.5 * (a - c) / (a - 2 * b + c)) * m->grids.mainSpacing;
    const double travelled = (crest - x0) / 16;
    EXPECT_NEAR(travelled / m->solution.flowTime, std::sqrt(1.4), 0.02 * std::sqrt(1.4))
        << "pulse " << widthInCells << " cells wide: crest at " << crest << " after "
        << m->solution.flowTime;
  }
}

} // namespace
