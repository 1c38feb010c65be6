#include "coupling/boundary.h"

#include "core/physics.h"

#include <algorithm>
#include <cmath>

namespace {

// The primitive slots moved by the transfer and the seams, in slot order.
constexpr int kStateSlots[] = {slot::rho, slot::u, slot::v, slot::e, slot::pres};

// Second-order extrapolation for a zero normal gradient at a wall point w
// from its two inner neighbours: (4 f(w-1) - f(w-2)) / 3 for p and rho, and
// the energy of a fluid at rest.
inline void wallPoint(FlowPoint& w, const FlowPoint& in1, const FlowPoint& in2) {
  w[slot::pres] = (4 * in1[slot::pres] - in2[slot::pres]) / 3;
  w[slot::rho] = (4 * in1[slot::rho] - in2[slot::rho]) / 3;
  w[slot::e] = energyAtRest(w[slot::pres]);
}

// Bilinear interpolation of one link into its receiver, then the energy
// refresh.
inline void interpolateLink(FlowPoint& to, const Link& link, const FlowPoint& c1,
                            const FlowPoint& c2, const FlowPoint& c3, const FlowPoint& c4) {
  const double s = link.s, t = link.t;
  const double w1 = (1 - s) * (1 - t), w2 = s * (1 - t), w3 = s * t, w4 = (1 - s) * t;
  for (int k : kStateSlots) to[k] = w1 * c1[k] + w2 * c2[k] + w3 * c3[k] + w4 * c4[k];
  to[slot::e] = energyOf(to[slot::rho], to[slot::u], to[slot::v], to[slot::pres]);
}

// Non-reflecting ends.  Along the channel, normal to its ends, the one-
// dimensional Euler equations of the ideal gas (γ = 1.4, sound speed
// c = √(γ p / ρ), 2 / (γ − 1) = 5) carry four quantities unchanged along
// their characteristics:
//   R+ = u + 5c                        along dx/dt = u + c,
//   R− = u − 5c                        along dx/dt = u − c,
//   the entropy s = p / ρ^γ and v       along dx/dt = u.
// In a subsonic flow from left to right R+, s and v enter through the
// inflow and R− leaves it; R− enters through the outlet and R+, s, v leave
// it.  An end takes what leaves from the column inside it (a wave on its way
// out passes the end as it passes any point) and sets what comes in.  Held
// at its last value, an incoming invariant brings no wave in: a wave going
// out leaves no echo, but nothing would hold the mean flow either.  So it is
// relaxed, by the step's share Δt / τ, towards the value the reflecting
// end would give it:
//   inflow:  R+ ← R+ + (Δt/τ)(2 u_in − R− − R+)    (u = (R+ + R−)/2 → u_in),
//   outlet:  R− ← R− + (Δt/τ)(R+ − 10 c₁ − R−)      (c = (R+ − R−)/10 → c₁),
// c₁ = √(γ / ρ₁) the sound speed at p = 1 with the outgoing entropy,
// ρ₁ = s^(−1/γ).  A steady flow thus has the inflow profile u_in and the
// pressure 1 at the outlet exactly as the reflecting ends give them.  To a
// wave of angular frequency ω the relaxation, dR/dt = (R_reflecting − R)/τ,
// answers with an echo of 1 / √(1 + (ωτ)²) of its amplitude: the faster the
// wave, the less comes back.  τ is four times the time sound takes along the
// channel, τ = 4 ℓ / c∞ (c∞ = √1.4, ℓ the channel's length, solver units):
// the channel's slowest sound mode, its quarter wave of period 4 ℓ / c∞,
// comes back with 1/√(1 + 4π²) = 16 % of its amplitude at each end, a
// pulse a tenth of the channel long with less than 1 %, while the mean flow
// settles within a few τ.  The inflow's entropy is the free stream's
// (entropyRef) and its v zero; the outlet takes s and v from inside.  The
// energy follows from ρ, u, v, p.  Both ends read the step Δt that their
// inside neighbour took (slot dt: the local step, or the global one).
constexpr double kRelaxationSoundCrossings = 4;

struct EndState {
  double rPlus, rMinus;
};

inline double soundSpeedOf(const FlowPoint& f) {
  return std::sqrt(1.4 * f[slot::pres] / f[slot::rho]);
}
inline EndState invariantsOf(const FlowPoint& f) {
  const double c = soundSpeedOf(f);
  return {f[slot::u] + 5 * c, f[slot::u] - 5 * c};
}

// Sets the end point f from its two invariants, its entropy s and its v.
inline void setFromInvariants(FlowPoint& f, const EndState& r, double s, double v) {
  const double c = 0.1 * (r.rPlus - r.rMinus);
  const double rho = std::pow(c * c / (1.4 * s), 2.5);
  f[slot::rho] = rho;
  f[slot::u] = 0.5 * (r.rPlus + r.rMinus);
  f[slot::v] = v;
  f[slot::pres] = rho * c * c / 1.4;
  f[slot::e] = energyOf(f[slot::rho], f[slot::u], f[slot::v], f[slot::pres]);
}

// The relaxation time τ in the solver's units of time.
double endRelaxationTime(const Grids& grids, const SolverConstants& constants) {
  return kRelaxationSoundCrossings * (grids.mainNx - 1) * constants.mainDx / std::sqrt(1.4);
}

void nonReflectingInflow(const LayoutParameters& layout, const SolverConstants& constants,
                         const Grids& grids, double ramp, FlowSolution& solution) {
  const double tau = endRelaxationTime(grids, constants);
  for (int j = 1; j <= grids.mainNy; ++j) {
    FlowPoint& f = solution.mainFlow[1][j];
    const FlowPoint& in = solution.mainFlow[2][j];
    const double share = std::min(1.0, in[slot::dt] / tau);
    EndState r{invariantsOf(f).rPlus, invariantsOf(in).rMinus};
    r.rPlus +=
        share * (2 * ramp * inflowSpeedAtRow(constants, grids, layout, j) - r.rMinus - r.rPlus);
    setFromInvariants(f, r, constants.entropyRef, 0);
  }
}

void nonReflectingOutlet(const SolverConstants& constants, const Grids& grids,
                         FlowSolution& solution) {
  const double tau = endRelaxationTime(grids, constants);
  for (int j = grids.outletLow; j <= grids.outletHigh; ++j) {
    FlowPoint& f = solution.mainFlow[grids.mainNx][j];
    const FlowPoint& in = solution.mainFlow[grids.mainNx - 1][j];
    const double share = std::min(1.0, in[slot::dt] / tau);
    const double entropy = in[slot::pres] / std::pow(in[slot::rho], 1.4);
    const double soundAtPressureOne = std::sqrt(1.4 * std::pow(entropy, 1 / 1.4));
    EndState r{invariantsOf(in).rPlus, invariantsOf(f).rMinus};
    r.rMinus += share * (r.rPlus - 10 * soundAtPressureOne - r.rMinus);
    setFromInvariants(f, r, entropy, in[slot::v]);
  }
}

} // namespace

double inflowSpeedAtRow(const SolverConstants& constants, const Grids& grids,
                        const LayoutParameters& layout, int j) {
  if (layout.channel.inflow == ChannelInflow::uniform) return constants.uInf;
  return parabolicInflowSpeed(grids.mainGrid[1][j].mainGridY, grids.mainGrid[1][1].mainGridY,
                              grids.mainGrid[1][grids.mainNy].mainGridY, constants.uInf);
}

double inflowRampAt(const LayoutParameters& layout, const SolverConstants& constants, double t) {
  if (!constants.timeAccurate) return 1;
  return startRamp(t, layout.channel.startTime / constants.uInf);
}

void interpolateLinkedPoints(const CouplingTables& coupling, FlowSolution& solution) {
  for (int l = 1; l <= coupling.mainFromBodyCount; ++l) {
    const Link& k = coupling.mainFromBody[l];
    const int a = k.donor[1], b = k.donor[2], c = k.donor[3];
    interpolateLink(solution.mainFlow[k.receiver[1]][k.receiver[2]], k, solution.bodyFlow[a][b][c],
                    solution.bodyFlow[a + 1][b][c], solution.bodyFlow[a + 1][b + 1][c],
                    solution.bodyFlow[a][b + 1][c]);
  }
  for (int l = 1; l <= coupling.bodyFromMainCount; ++l) {
    const Link& k = coupling.bodyFromMain[l];
    const int a = k.donor[1], b = k.donor[2];
    interpolateLink(solution.bodyFlow[k.receiver[1]][k.receiver[2]][k.receiver[3]], k,
                    solution.mainFlow[a][b], solution.mainFlow[a + 1][b],
                    solution.mainFlow[a + 1][b + 1], solution.mainFlow[a][b + 1]);
  }
  for (int l = 1; l <= coupling.bodyFromBodyCount; ++l) {
    const Link& k = coupling.bodyFromBody[l];
    const int a = k.donor[1], b = k.donor[2], c = k.donor[3];
    interpolateLink(solution.bodyFlow[k.receiver[1]][k.receiver[2]][k.receiver[3]], k,
                    solution.bodyFlow[a][b][c], solution.bodyFlow[a + 1][b][c],
                    solution.bodyFlow[a + 1][b + 1][c], solution.bodyFlow[a][b + 1][c]);
  }
}

void applyBoundaryConditions(const LayoutParameters& layout, const SolverConstants& constants,
                             const Grids& grids, const CouplingTables& coupling,
                             FlowSolution& solution) {
  const int nx = grids.mainNx, ny = grids.mainNy, nr = layout.bodyLayers;

  // 1. Body surfaces and outer edges of the auxiliary grids.
  for (int p = 1; p <= grids.bodyPerimeterPoints; ++p) {
    const auto col = solution.bodyFlow[p];
    wallPoint(col[nr][1], col[nr - 1][1], col[nr - 2][1]);
    FlowPoint& edge = col[1][1];
    edge[slot::pres] = col[2][1][slot::pres];
    edge[slot::rho] = col[2][1][slot::rho];
    edge[slot::e] = energyAtRest(edge[slot::pres]);
  }

  // 2. Right column, a wall until the outlet rows are set in step 5 (non-
  // reflecting ends keep the outlet's last values, which step 5 reads).
  const bool nonReflecting = layout.channel.ends == ChannelEnds::nonReflecting;
  for (int j = 1; j <= ny; ++j)
    if (!nonReflecting || j < grids.outletLow || j > grids.outletHigh)
      wallPoint(solution.mainFlow[nx][j], solution.mainFlow[nx - 1][j],
                solution.mainFlow[nx - 2][j]);

  // 3. Values from the overlapping grids.
  interpolateLinkedPoints(coupling, solution);

  // 4. Inflow.
  const double isentropicExponent = 1 / 1.4;
  const double ramp = inflowRampAt(layout, constants, solution.flowTime + solution.globalTimeStep);
  if (nonReflecting) nonReflectingInflow(layout, constants, grids, ramp, solution);
  for (int j = 1; !nonReflecting && j <= ny; ++j) {
    FlowPoint& f = solution.mainFlow[1][j];
    f[slot::pres] = 0.7 * f[slot::pres] + 0.3 * solution.mainFlow[2][j][slot::pres];
    f[slot::pres] = std::max(f[slot::pres], 0.1);
    f[slot::rho] = std::pow(f[slot::pres] / constants.entropyRef, isentropicExponent);
    f[slot::u] = ramp * inflowSpeedAtRow(constants, grids, layout, j);
    f[slot::e] = 0.5 * f[slot::rho] * (f[slot::v] * f[slot::v]) + 2.5 * f[slot::pres];
  }

  // 5. Outlet: pressure 1 at the entropy S = p / rho^1.4 of the interior.
  if (nonReflecting) nonReflectingOutlet(constants, grids, solution);
  for (int j = grids.outletLow; !nonReflecting && j <= grids.outletHigh; ++j) {
    const FlowPoint& in = solution.mainFlow[nx - 1][j];
    FlowPoint& f = solution.mainFlow[nx][j];
    const double entropy = in[slot::pres] / std::pow(in[slot::rho], 1.4);
    f[slot::rho] = std::pow(1 / entropy, isentropicExponent);
    f[slot::u] = in[slot::u];
    f[slot::v] = in[slot::v];
    f[slot::pres] = 1;
    f[slot::e] = energyOf(f[slot::rho], f[slot::u], f[slot::v], f[slot::pres]);
  }

  // 6. Seams: pF and pL are one physical point, pF-1 and pL+1 the ghosts.
  for (int b = 1; b <= grids.nBodies; ++b) {
    const int pF = grids.bodyFirst[b], pL = grids.bodyLast[b];
    for (int r = 1; r <= nr; ++r)
      for (int k : kStateSlots) {
        auto at = [&](int p) -> double& { return solution.bodyFlow[p][r][1][k]; };
        at(pF) = 0.5 * (at(pF) + at(pL));
        at(pF - 1) = at(pL - 1);
        at(pL) = at(pF);
        at(pL + 1) = at(pF + 1);
      }
  }

  // 7. Bottom wall, 8. top wall.
  for (int i = 1; i <= nx; ++i)
    wallPoint(solution.mainFlow[i][1], solution.mainFlow[i][2], solution.mainFlow[i][3]);
  for (int i = 1; i <= nx; ++i)
    wallPoint(solution.mainFlow[i][ny], solution.mainFlow[i][ny - 1], solution.mainFlow[i][ny - 2]);
}
