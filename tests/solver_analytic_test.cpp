// The main-grid residual against flows whose discrete residual is known in
// closed form: a linear shear flow (viscous stress and heating exact) and a
// density bump of fourth degree at uniform pressure (the fourth-difference
// dissipation and the heat conduction alone).  The expected values come
// from the physics (free-stream sound speed sqrt(1.4 p / rho), viscosity
// uInf / Re), not from the solver's own routines.
#include "solver/residual_main.h"
#include "synthetic_grids.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kNx = 24, kNy = 17;

std::unique_ptr<Model> channel() {
  auto m = makeModel();
  synthetic::mainGrid(*m, kNx, kNy);
  synthetic::solverConstants(*m);
  return m;
}

// The stage-1 residual R(U^n) (times dx^2, per unit index step) that
// mainGridResidual leaves as X = dt R / (2 dx^2) in dq.
double residualOf(const Model& m, int i, int j, int k) {
  const FlowPoint& f = m.solution.mainFlow[i][j];
  return 2 * m.constants.mainDx2 * f[slot::dq + k] / f[slot::dt];
}

void expectRelative(double got, double want, double tolerance, const std::string& what) {
  EXPECT_LE(std::fabs(got - want), tolerance * std::fabs(want))
      << what << ": " << got << " vs " << want;
}

TEST(MainResidualAnalytic, LinearShearFlowHasExactViscousHeatingAndNoOtherResidual) {
  // u = g j, v = 0, rho = p = 1: the shear stress mu du/dy is the same on
  // every interface, so the momentum residuals vanish; the work of the
  // stress, u mu du/dy, grows linearly, leaving R(E) = mu g^2 with
  // mu = uInf / Re, per unit index step.
  const double g = 0.01;
  auto m = channel();
  for (int i = 1; i <= kNx; ++i)
    for (int j = 1; j <= kNy; ++j) synthetic::setState(m->solution.mainFlow[i][j], 1, g * j, 0, 1);
  mainGridResidual(*m);
  const double mu = m->constants.uInf / m->constants.reynolds;
  for (int i = 2; i <= kNx - 1; ++i)
    for (int j = 3; j <= kNy - 2; ++j) {
      const std::string at = std::to_string(i) + "," + std::to_string(j);
      for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(residualOf(*m, i, j, k), 0, 1e-15) << "component " << k << " at " << at;
      expectRelative(residualOf(*m, i, j, 3), mu * g * g, 1e-9, "R(E) at " + at);
      // Local time step cfl dx / (|u| + c) with the free-stream sound speed.
      expectRelative(m->solution.mainFlow[i][j][slot::dt],
                     m->constants.cflMain * m->constants.mainDx / (g * j + std::sqrt(1.4)), 5e-4,
                     "dt at " + at);
    }
}

TEST(MainResidualAnalytic, QuarticDensityAtRestFeelsFourthDifferenceDissipationAndHeatConduction) {
  // rho = 1 + c (i - 12)^4 at rest, p = 1: the pressure sensor is zero, so
  // the dissipation is the pure fourth difference, k4 L (fourth difference
  // of rho = 24 c) with L = dx/2 (|u| + c + |u| + c) = dx sqrt(1.4); the
  // momentum stays in balance; the energy feels only the heat conduction,
  // heat mu (T(i+1) - 2 T(i) + T(i-1)) with T = p / rho.
  const double c = 1e-6;
  auto m = channel();
  const auto rho = [&](int i) { return 1 + c * std::pow(i - 12.0, 4); };
  for (int i = 1; i <= kNx; ++i)
    for (int j = 1; j <= kNy; ++j) synthetic::setState(m->solution.mainFlow[i][j], rho(i), 0, 0, 1);
  mainGridResidual(*m);
  const double mu = m->constants.uInf / m->constants.reynolds;
  const double L = m->constants.mainDx * std::sqrt(1.4);
  for (int i = 3; i <= kNx - 2; ++i)
    for (int j = 2; j <= kNy - 1; ++j) {
      const std::string at = std::to_string(i) + "," + std::to_string(j);
      expectRelative(residualOf(*m, i, j, 0), -m->constants.k4Main * L * 24 * c, 5e-4,
                     "R(rho) at " + at);
      for (int k = 1; k < 3; ++k)
        EXPECT_NEAR(residualOf(*m, i, j, k), 0, 1e-15) << "component " << k << " at " << at;
      const double T2 = 1 / rho(i + 1) - 2 / rho(i) + 1 / rho(i - 1);
      expectRelative(residualOf(*m, i, j, 3), m->constants.heatCoef * mu * T2, 1e-6,
                     "R(E) at " + at);
    }
}

} // namespace
