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
  m->bodyLayers = 10;
  synthetic::ringBody(*m, 15, 10, 4.0, 6.2, 48, 0.0);
  m->flow.bodyViscosity = viscosity;
  setInitialState(*m);
  synthetic::fillFlow(
      *m, [&](FlowPoint& f, double, double y) { synthetic::setState(f, 1, g * y / 16, 0, 1); });
  return m;
}

// The stage-1 residual per unit area, R / J = 2 X / dt, of point (p, r).
double rateOf(const Model& m, int p, int r, int k) {
  const FlowPoint& f = m.bodyFlow[p][r][1];
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
    const int pF = viscous->bodyFirst[1], pL = viscous->bodyLast[1];
    bodyGridResidual(*viscous, pF, pL, 2, viscous->bodyLayers - 1, 1, viscous->reynolds);
    bodyGridResidual(*inviscid, pF, pL, 2, inviscid->bodyLayers - 1, 1, 1e300);
    const double mu = bodyViscosityFactor(v) * viscous->uInf / viscous->reynolds;
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
  m->bodyLayers = 10;
  m->flow.timeStepping = TimeStepping::timeAccurate;
  setInitialState(*m);
  synthetic::fillFlow(*m, [](FlowPoint& f, double, double) { synthetic::setState(f, 1, 0, 0, 1); });
  return m;
}

TEST(TimeAccurate, EveryPointTakesTheSmallestLocalStep) {
  auto m = shearRing(0.5, BodyViscosity::uniform);
  m->flow.timeStepping = TimeStepping::timeAccurate;
  m->timeAccurate = true;
  // The local steps of the same state, from a run with local steps.
  auto local = shearRing(0.5, BodyViscosity::uniform);
  stepGrids(*local);
  double smallest = 1e300;
  for (int i = 2; i < local->mainNx; ++i)
    for (int j = 2; j < local->mainNy; ++j)
      smallest = std::min(smallest, local->mainFlow[i][j][slot::dt]);
  for (int p = local->bodyFirst[1]; p <= local->bodyLast[1]; ++p)
    for (int r = 2; r < local->bodyLayers; ++r)
      smallest = std::min(smallest, local->bodyFlow[p][r][1][slot::dt]);

  m->globalTimeStep = stableGlobalTimeStep(*m);
  EXPECT_NEAR(m->globalTimeStep, smallest, 1e-12 * smallest);
  stepGrids(*m);
  for (int i = 2; i < m->mainNx; ++i)
    for (int j = 2; j < m->mainNy; ++j)
      ASSERT_EQ(m->mainFlow[i][j][slot::dt], m->globalTimeStep) << "main " << i << "," << j;
  for (int p = m->bodyFirst[1]; p <= m->bodyLast[1]; ++p)
    for (int r = 2; r < m->bodyLayers; ++r)
      ASSERT_EQ(m->bodyFlow[p][r][1][slot::dt], m->globalTimeStep) << "body " << p << "," << r;
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
    const double x0 = (start - 1) * m->mainSpacing, width = widthInCells * m->mainSpacing;
    const double amplitude = 1e-3;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double x, double) {
      const double p = 1 + amplitude * std::exp(-std::pow((x - x0) / width, 2));
      synthetic::setState(f, std::pow(p, 1 / 1.4), 0, 0, p);
    });
    for (int step = 0; step < 40; ++step) {
      m->globalTimeStep = stableGlobalTimeStep(*m);
      stepGrids(*m);
      m->flowTime += m->globalTimeStep;
      for (int i = 1; i <= nx; ++i)
        m->mainFlow[i][1] = m->mainFlow[i][2], m->mainFlow[i][ny] = m->mainFlow[i][ny - 1];
    }
    // The crest of the right-going half, by a parabola through the largest
    // pressure and its neighbours (layout units; the solver's unit is 16).
    int top = start + 5;
    for (int i = top; i < nx; ++i)
      if (m->mainFlow[i][mid][slot::pres] > m->mainFlow[top][mid][slot::pres]) top = i;
    const double a = m->mainFlow[top - 1][mid][slot::pres], b = m->mainFlow[top][mid][slot::pres],
                 c = m->mainFlow[top + 1][mid][slot::pres];
    const double crest = (top - 1 + 0.5 * (a - c) / (a - 2 * b + c)) * m->mainSpacing;
    const double travelled = (crest - x0) / 16;
    EXPECT_NEAR(travelled / m->flowTime, std::sqrt(1.4), 0.02 * std::sqrt(1.4))
        << "pulse " << widthInCells << " cells wide: crest at " << crest << " after "
        << m->flowTime;
  }
}

} // namespace
