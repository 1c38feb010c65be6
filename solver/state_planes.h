// The work planes that the residuals of both grids share in form: the flow
// state, the pressure sensor, the local time step and the stage values, each
// a contiguous array of one field, a line of points running through plane
// indices a, a + along, a + 2 along, ...; and the point-wise operations on
// them.  Each grid's residual adds its own planes and its own indexing.
#pragma once

#include "core/physics.h"
#include "solver/line_dissipation.h"

struct StatePlanes {
  double *rho, *u, *v, *e, *p;
  double *mu, *mv, *T; // rho u, rho v and p / rho of the current state
  double* nu;          // pressure sensor of the current pass
  double* dt;          // local time step
  double* f[4];        // negated convective flux of the current pass
  double* h[4];        // interface flux at n + 1/2, stored at point n
  double* r[4];        // res: residual, then Y
  double* x[4];        // dq: X = g1 / 2

  // Points the planes at consecutive areas handed out by plane().
  template <class NextPlane> void assign(NextPlane plane) {
    rho = plane(), u = plane(), v = plane(), e = plane(), p = plane();
    mu = plane(), mv = plane(), T = plane(), nu = plane(), dt = plane();
    for (auto* set : {f, h, r, x})
      for (int k = 0; k < 4; ++k) set[k] = plane();
  }

  // The state of record f at point a, with the derived rho u, rho v and
  // p / rho.
  void loadPoint(const FlowPoint& f, int a) const {
    rho[a] = f[slot::rho];
    u[a] = f[slot::u];
    v[a] = f[slot::v];
    e[a] = f[slot::e];
    p[a] = f[slot::pres];
    mu[a] = f[slot::rho] * f[slot::u];
    mv[a] = f[slot::rho] * f[slot::v];
    T[a] = f[slot::pres] / f[slot::rho];
  }

  // The state at point a written to record f.
  void storeState(FlowPoint& f, int a) const {
    f[slot::rho] = rho[a];
    f[slot::u] = u[a];
    f[slot::v] = v[a];
    f[slot::e] = e[a];
    f[slot::pres] = p[a];
  }

  // The state U + X with the pressure of the equation of state and the
  // derived rho u, rho v and p / rho, at point a.
  void advancePoint(int a) const {
    addConservedIncrement(rho[a], u[a], v[a], e[a], x[0][a], x[1][a], x[2][a], x[3][a]);
    p[a] = pressureOf(rho[a], u[a], v[a], e[a]);
    mu[a] = rho[a] * u[a];
    mv[a] = rho[a] * v[a];
    T[a] = p[a] / rho[a];
  }

  // U - X at point a; the pressure keeps its value.
  void restorePoint(int a) const {
    addConservedIncrement(rho[a], u[a], v[a], e[a], -x[0][a], -x[1][a], -x[2][a], -x[3][a]);
  }

  void pressureSensors(int a0, int count, int along) const {
#pragma GCC ivdep
    for (int a = a0; a < a0 + count; ++a) nu[a] = pressureSensor(p, a, along);
  }

  // R = half (f(n+1) - f(n-1)) + H(n+1/2) - H(n-1/2) of component k at
  // plane index a, half being half the point spacing of the fluxes.
  double residualAt(int k, int a, int along, double half) const {
    return half * (f[k][a + along] - f[k][a - along]) + h[k][a] - h[k][a - along];
  }
};

// The inner products (X,X), (X,Y), (Y,Y) of a grid's stage values, per
// conserved component, summed in local accumulators: the model's could
// share memory with the planes and records, as far as the compiler knows,
// which would keep every sum in memory.  Each sum takes its terms in the
// order add is called.
struct StageSums {
  double xx[4], xy[4], yy[4];

  StageSums(const Arr1<double, 4>& sumXX, const Arr1<double, 4>& sumXY,
            const Arr1<double, 4>& sumYY) {
    for (int k = 0; k < 4; ++k) xx[k] = sumXX[k + 1], xy[k] = sumXY[k + 1], yy[k] = sumYY[k + 1];
  }
  void add(int k, double x, double y) {
    yy[k] += y * y;
    xy[k] += x * y;
    xx[k] += x * x;
  }
  void store(Arr1<double, 4>& sumXX, Arr1<double, 4>& sumXY, Arr1<double, 4>& sumYY) const {
    for (int k = 0; k < 4; ++k) sumXX[k + 1] = xx[k], sumXY[k + 1] = xy[k], sumYY[k + 1] = yy[k];
  }
};
