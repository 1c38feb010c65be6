// The gas: a perfect gas with gamma = 1.4, Prandtl number 0.7, kept in
// primitive form (rho, u, v, E, p) at every point of both grids.  This is
// the one place where the equation of state and the energy relation live;
// every routine that needs them calls these functions.
//
// The operation order inside each function is part of the result: products
// are formed left to right in the order each function writes them, x^2 is
// x*x, so that every routine that uses them produces the same bits.
#pragma once

#include "core/model.h"

// Equation of state: p = (gamma - 1)(E - rho (u^2 + v^2) / 2), formed as
// 0.4 E - (0.2 rho)(u^2 + v^2).
inline double pressureOf(double rho, double u, double v, double e) {
  return 0.4 * e - 0.2 * rho * (u * u + v * v);
}

// Energy refresh: E = rho (u^2 + v^2) / 2 + p / (gamma - 1), formed as
// (u^2 + v^2)(0.5 rho) + 2.5 p.
inline double energyOf(double rho, double u, double v, double p) {
  return (u * u + v * v) * (0.5 * rho) + 2.5 * p;
}

// Energy of a point at rest (walls and body surfaces): E = 2.5 p.
inline double energyAtRest(double p) {
  return 2.5 * p;
}

// Adds the conserved increment (d1, d2, d3, d4) of (rho, rho u, rho v, E) to
// a point held in primitive form:
//   rho0 = rho;  rho = rho0 + d1;  E = E + d4;
//   u = (rho0 u + d2) / rho;  v = (rho0 v + d3) / rho.
// The pressure is not touched.  Subtracting an increment is the same call
// with the increment negated: a - b and a + (-b) are the same IEEE result.
inline void addConservedIncrement(double& rho, double& u, double& v, double& e, double d1,
                                  double d2, double d3, double d4) {
  const double rho0 = rho;
  rho = rho0 + d1;
  e = e + d4;
  u = (rho0 * u + d2) / rho;
  v = (rho0 * v + d3) / rho;
}

inline void addConservedIncrement(FlowPoint& f, double d1, double d2, double d3, double d4) {
  addConservedIncrement(f[slot::rho], f[slot::u], f[slot::v], f[slot::e], d1, d2, d3, d4);
}

// The same increment followed by the pressure from the equation of state:
// the state U + d of the time integration.
inline void advanceState(FlowPoint& f, double d1, double d2, double d3, double d4) {
  addConservedIncrement(f, d1, d2, d3, d4);
  f[slot::pres] = pressureOf(f[slot::rho], f[slot::u], f[slot::v], f[slot::e]);
}
