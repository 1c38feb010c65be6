// The flow conditions a user sets beside the layout: the Reynolds and Mach
// numbers of the inflow, the viscosity of the bodies' grids and the kind of
// time step.  The defaults are the classic model.
//
// Units: the reference length L is the solver's unit, 16 layout units (the
// diameter of a circle of size 16); the reference speed is the inflow speed
// U∞; the free stream has density 1 and pressure 1, so its sound speed is
// √1.4 and U∞ = Mach·√1.4.
//   Re = U∞ L / ν  →  main-grid viscosity μ = U∞ / Re (ρ∞ = 1, L = 1),
//   body grids: 2 U∞ / Re ("classic") or U∞ / Re ("uniform").
// A body of size s therefore sees the Reynolds number Re·s/16.
#pragma once

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

enum class BodyViscosity { classic, uniform };
enum class TimeStepping { local, timeAccurate };
// The scale of the artificial dissipation: the spectral radius |q| + c
// (classic), or one preconditioned for low Mach numbers that goes with the
// flow speed (solver/line_dissipation.h).
enum class Dissipation { classic, flowSpeed };

struct FlowConditions {
  double reynolds = 100;
  double mach = 0.05;
  BodyViscosity bodyViscosity = BodyViscosity::classic;
  TimeStepping timeStepping = TimeStepping::local;
  // Grid fineness 1 (the classic grids) to kFinenessHigh: the main grid's
  // spacing is 1.25 / fineness layout units (a given channel's the nearest
  // that lays its height on whole cells), the body grids have fineness
  // times the points around and layers that resolve the boundary layer
  // (layout/body_layering.h).
  int fineness = 1;
  Dissipation dissipation = Dissipation::classic;

  bool operator==(const FlowConditions&) const = default;
};

// The ranges the solver handles (README, "Flow conditions"), found by runs
// of the default layout, 3,000 steps:
//  - Reynolds 10..200: the main grid's local step keeps nu dt / dx^2 at
//    most 0.05 (solver/residual_main.cpp), without which the default
//    layout overshoots at Re 20 and one circle of size 16 diverges at Re 10;
//    with it both run soundly at Re 10 (3,000 steps, density 0.98..1.12).
//    Above 200 the flow past a cylinder is no longer two-dimensional, and
//    the body grids, whose layers are fixed, no longer hold the boundary
//    layer (thickness ~ D/sqrt(Re)).
//  - Mach 0.01..0.1: the flow between the bodies of a crowded layout runs
//    up to five times the inflow speed; at Mach 0.15 it reaches the speed
//    of sound there (density 0.93..1.76), and the scheme has no shock
//    capturing.  Below 0.01 the sound waves, which set the time step, are
//    so much faster than the flow that a run needs many more steps.
inline constexpr double kReynoldsLow = 10, kReynoldsHigh = 200;
inline constexpr double kMachLow = 0.01, kMachHigh = 0.1;
// Fineness 4 has 16 times the classic main grid's points and takes some
// 64 times its run time to the same flow time.
inline constexpr int kFinenessLow = 1, kFinenessHigh = 4;

// The file and command-line names of the choices.
inline constexpr const char* kBodyViscosityNames[] = {"classic", "uniform"};
inline constexpr const char* kTimeSteppingNames[] = {"local", "time-accurate"};
inline constexpr const char* kDissipationNames[] = {"classic", "flow-speed"};

// The choice whose name (one of names, in the enumeration's order) is name.
template <typename Choice, std::size_t N>
std::optional<Choice> choiceNamed(const char* const (&names)[N], const std::string& name) {
  for (std::size_t k = 0; k < N; ++k)
    if (name == names[k]) return static_cast<Choice>(k);
  return std::nullopt;
}

std::optional<BodyViscosity> bodyViscosityNamed(const std::string& name);
std::optional<TimeStepping> timeSteppingNamed(const std::string& name);
std::optional<Dissipation> dissipationNamed(const std::string& name);
inline const char* nameOf(BodyViscosity v) {
  return kBodyViscosityNames[static_cast<int>(v)];
}
inline const char* nameOf(TimeStepping t) {
  return kTimeSteppingNames[static_cast<int>(t)];
}

inline const char* nameOf(Dissipation d) {
  return kDissipationNames[static_cast<int>(d)];
}

inline bool reynoldsInRange(double re) {
  return re >= kReynoldsLow && re <= kReynoldsHigh;
}
inline bool machInRange(double mach) {
  return mach >= kMachLow && mach <= kMachHigh;
}
// The dissipation scaled with the flow speed holds the sound waves only
// from Mach 0.05 on: below it they swing the default layout's lift to 3.4
// (Mach 0.02) and 36 (Mach 0.01) against 0.077 with the classic scale,
// and no floor on its reference Mach number short of 1 (the classic scale)
// mends that (README, "Flow conditions").
inline constexpr double kFlowSpeedDissipationMachLow = 0.05;
inline bool dissipationFitsMach(const FlowConditions& f) {
  return f.dissipation != Dissipation::flowSpeed || f.mach >= kFlowSpeedDissipationMachLow;
}
inline bool finenessInRange(int fineness) {
  return fineness >= kFinenessLow && fineness <= kFinenessHigh;
}

// The inflow speed U∞ = Mach·√1.4 in the solver's units.
inline double inflowSpeed(const FlowConditions& f) {
  return f.mach * std::sqrt(1.4);
}
// The body grids' viscosity over the main grid's: 2 (classic) or 1.
inline double bodyViscosityFactor(BodyViscosity v) {
  return v == BodyViscosity::classic ? 2.0 : 1.0;
}
