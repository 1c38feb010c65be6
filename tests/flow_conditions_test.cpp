// What the flow conditions do to the equations: the body grids' viscosity
// (classic twice the main grid's, uniform the same) on a shear flow whose
// viscous heating is known, the time-accurate step (every point the same
// step, a sound pulse moving at the speed of sound), and the channel's ends
// (a pulse leaving through them comes back, or does not).
#include "coupling/boundary.h"
#include "solver/global_time_step.h"
#include "solver/initial_state.h"
#include "solver/residual_aux.h"
#include "solver/time_integration.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

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

TEST(TimeAccurate, TheStepIsThirdOrderInTime) {
  // A pulse as above carried to the same flow time on one grid with steps of
  // dt, dt/2 and dt/4: the difference between successive results falls by
  // 2^3 per halving of a third-order step (by 2^2 with the two-stage step).
  const int nx = 120, ny = 45, mid = 23;
  std::vector<double> pressure[3];
  double dt = 0;
  for (int halvings = 0; halvings < 3; ++halvings) {
    auto m = quietChannel(nx, ny);
    const double x0 = 40 * m->grids.mainSpacing, width = 8 * m->grids.mainSpacing;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double x, double) {
      const double p = 1 + 1e-3 * std::exp(-std::pow((x - x0) / width, 2));
      synthetic::setState(f, std::pow(p, 1 / 1.4), 0, 0, p);
    });
    if (halvings == 0)
      dt = stableGlobalTimeStep(m->layout, m->constants, m->grids, m->coupling, m->solution);
    m->solution.globalTimeStep = dt / (1 << halvings);
    for (int step = 0; step < (20 << halvings); ++step) {
      stepGrids(*m);
      for (int i = 1; i <= nx; ++i)
        m->solution.mainFlow[i][1] = m->solution.mainFlow[i][2],
        m->solution.mainFlow[i][ny] = m->solution.mainFlow[i][ny - 1];
    }
    for (int i = 1; i <= nx; ++i)
      pressure[halvings].push_back(m->solution.mainFlow[i][mid][slot::pres]);
  }
  const auto difference = [&](int a, int b) {
    double largest = 0;
    for (int i = 0; i < nx; ++i)
      largest = std::max(largest, std::abs(pressure[a][i] - pressure[b][i]));
    return largest;
  };
  const double order = std::log2(difference(0, 1) / difference(1, 2));
  EXPECT_GT(order, 2.5) << "differences " << difference(0, 1) << ", " << difference(1, 2);
}

// A channel at rest as quietChannel, with the whole outlet and the given ends.
std::unique_ptr<Model> openChannel(int nx, int ny, ChannelEnds ends) {
  auto m = quietChannel(nx, ny);
  m->layout.channel.ends = ends;
  m->grids.outletLow = 2;
  m->grids.outletHigh = ny - 1;
  return m;
}

// Time-accurate steps with the channel's boundary conditions until the flow
// time reaches `until`; the edge rows mirror their neighbours (slip walls).
void runChannel(Model& m, double until) {
  while (m.solution.flowTime < until) {
    m.solution.globalTimeStep =
        stableGlobalTimeStep(m.layout, m.constants, m.grids, m.coupling, m.solution);
    stepGrids(m);
    applyBoundaryConditions(m.layout, m.constants, m.grids, m.coupling, m.solution);
    m.solution.flowTime += m.solution.globalTimeStep;
    for (int i = 1; i <= m.grids.mainNx; ++i)
      m.solution.mainFlow[i][1] = m.solution.mainFlow[i][2],
      m.solution.mainFlow[i][m.grids.mainNy] = m.solution.mainFlow[i][m.grids.mainNy - 1];
  }
}

TEST(ChannelEnds, ASoundPulseLeavesThroughNonReflectingEndsAndComesBackFromReflectingOnes) {
  // A weak pressure pulse in a uniform stream splits into halves of
  // amplitude a / 2 leaving through the two ends; when an echo would be half
  // way back, what is left in each half of the channel is that end's echo
  // (non-reflecting: 4.5 % and 6.3 %, the relaxation's answer to the pulse's
  // mean, a smooth dip at the outlet; 2.9 % and 2.1 % at a quarter of the
  // step, as the ends are set once per step).
  const int nx = 161, ny = 7;
  for (const ChannelEnds ends : {ChannelEnds::reflecting, ChannelEnds::nonReflecting}) {
    auto m = openChannel(nx, ny, ends);
    const double x0 = (nx - 1) / 2 * m->grids.mainSpacing, width = 8 * m->grids.mainSpacing;
    const double amplitude = 1e-3, uInf = m->constants.uInf;
    synthetic::fillFlow(*m, [&](FlowPoint& f, double x, double) {
      const double p = 1 + amplitude * std::exp(-std::pow((x - x0) / width, 2));
      synthetic::setState(f, std::pow(p, 1 / 1.4), uInf, 0, p);
    });
    runChannel(*m, 1.5 * x0 / 16 / (std::sqrt(1.4) - uInf));
    double echo[2] = {}; // of the inflow and of the outlet, over a / 2
    for (int i = 1; i <= nx; ++i)
      echo[i > nx / 2] =
          std::max(echo[i > nx / 2],
                   std::fabs(m->solution.mainFlow[i][3][slot::pres] - 1) / (0.5 * amplitude));
    for (int end = 0; end < 2; ++end)
      if (ends == ChannelEnds::reflecting)
        EXPECT_GT(echo[end], 0.3) << (end ? "outlet" : "inflow") << " lets the pulse out";
      else
        EXPECT_LT(echo[end], 0.08) << (end ? "outlet" : "inflow") << " echoes " << echo[end];
  }
}

TEST(ChannelEnds, NonReflectingEndsStillHoldTheInflowSpeedAndTheOutletPressure) {
  // From rest, the two relaxations and the gas between them swing with a
  // period of some 6 tau (outlet pressure up to 1.025); after 8 tau the
  // swing is down to 2e-4 and u is uInf within 0.3 %.
  const int nx = 41;
  auto m = openChannel(nx, 7, ChannelEnds::nonReflecting);
  runChannel(*m, 8 * 4 * (nx - 1) * m->grids.mainSpacing / 16 / std::sqrt(1.4));
  const double uInf = m->constants.uInf;
  for (int i : {1, nx / 2, nx})
    EXPECT_NEAR(m->solution.mainFlow[i][3][slot::u], uInf, 0.01 * uInf) << "u at " << i;
  EXPECT_NEAR(m->solution.mainFlow[nx][3][slot::pres], 1, 5e-4);
}

TEST(ChannelEnds, AGentleStartRaisesThePressureOnlyByWhatAcceleratesTheGas) {
  // Classic ends, at rest.  The impulsive start pushes in a pressure step
  // rho c uInf; a start over ten times the time sound takes along the
  // channel (length l) lets the gas follow as a whole, pushed by rho l du/dt
  // at most (pi / 20) rho c uInf (measured 1.17 times that: the sound the
  // start still makes rides on it).  The impulsive start's front overshoots
  // by 18 % (23 % at a quarter of the time step).  Both end at uInf.
  const int nx = 41;
  for (const int crossings : {0, 10}) {
    auto m = openChannel(nx, 7, ChannelEnds::reflecting);
    const double c = std::sqrt(1.4), uInf = m->constants.uInf;
    const double crossing = (nx - 1) * m->grids.mainSpacing / 16 / c;
    m->layout.channel.startTime = crossings * crossing * uInf;
    double highest = 0;
    while (m->solution.flowTime < 12 * crossing) {
      runChannel(*m, m->solution.flowTime + 0.1 * crossing);
      for (int i = 1; i <= nx; ++i)
        highest = std::max(highest, m->solution.mainFlow[i][3][slot::pres] - 1);
    }
    const double expected = crossings == 0 ? c * uInf : std::numbers::pi / 20 * c * uInf;
    EXPECT_NEAR(highest, expected, 0.25 * expected) << "start over " << crossings << " crossings";
    EXPECT_EQ(m->solution.mainFlow[1][3][slot::u], uInf) << "start over " << crossings;
  }
}

} // namespace
