// The pressure-switched artificial dissipation shared by the residuals of
// both grids: the sensor that blends second and fourth differences, and the
// third differences of the conserved quantities at the interfaces of a line.
#pragma once

#include "core/model.h"

#include <algorithm>
#include <array>
#include <cmath>

// Conserved quantities w = (rho, rho u, rho v, E) of a point in primitive form.
inline std::array<double, 4> conservedOf(const FlowPoint& f) {
  const double rho = f[slot::rho];
  return {rho, rho * f[slot::u], rho * f[slot::v], f[slot::e]};
}

// For the points n1..n2 of one grid line (pointAt(n) gives the flow record of
// point n; at least three points) fills m.lineDiss[n] for the interfaces
// n + 1/2, n = n1..n2-1:
//   field 0: the sensor s(n + 1/2), the larger of the pressure sensors
//            nu(n) = |p(n+1) - 2 p(n) + p(n-1)| / (p(n+1) + 2 p(n) + p(n-1))
//            of the two points beside the interface; the first and the last
//            interface take the sensor of their one interior neighbour;
//   fields 1..4: the difference of order three of w,
//            D3 = w(n+2) - 3 (w(n+1) - w(n)) - w(n-1),
//            with w(n+2) - 2 w(n+1) + w(n) at the first interface and
//            2 w(n) - w(n+1) - w(n-1) at the last, where the wide stencil
//            would leave the line.
// The sensor is the second-difference coefficient as it stands; the
// fourth-difference coefficient max(0, k4 - s) fades out where s grows.
template <class PointAt>
inline void sensorAndThirdDifferences(Model& m, int n1, int n2, PointAt pointAt) {
  const auto sensor = [&](int n) {
    const double pm = pointAt(n - 1)[slot::pres];
    const double p0 = pointAt(n)[slot::pres];
    const double pp = pointAt(n + 1)[slot::pres];
    return std::fabs(pp - 2 * p0 + pm) / (pp + 2 * p0 + pm);
  };

  double nuLeft = sensor(n1 + 1);
  m.lineDiss[n1][0] = nuLeft;
  for (int n = n1 + 1; n <= n2 - 2; ++n) {
    const double nuRight = sensor(n + 1);
    m.lineDiss[n][0] = std::max(nuLeft, nuRight);
    nuLeft = nuRight;
  }
  m.lineDiss[n2 - 1][0] = nuLeft;

  {
    const auto w1 = conservedOf(pointAt(n1));
    const auto w2 = conservedOf(pointAt(n1 + 1));
    const auto w3 = conservedOf(pointAt(n1 + 2));
    for (int k = 0; k < 4; ++k) m.lineDiss[n1][k + 1] = w3[k] - 2 * w2[k] + w1[k];
  }
  for (int n = n1 + 1; n <= n2 - 2; ++n) {
    const auto wm = conservedOf(pointAt(n - 1));
    const auto w0 = conservedOf(pointAt(n));
    const auto wp = conservedOf(pointAt(n + 1));
    const auto wpp = conservedOf(pointAt(n + 2));
    for (int k = 0; k < 4; ++k) m.lineDiss[n][k + 1] = wpp[k] - 3 * (wp[k] - w0[k]) - wm[k];
  }
  {
    const auto wl = conservedOf(pointAt(n2));
    const auto wl1 = conservedOf(pointAt(n2 - 1));
    const auto wl2 = conservedOf(pointAt(n2 - 2));
    for (int k = 0; k < 4; ++k) m.lineDiss[n2 - 1][k + 1] = 2 * wl1[k] - wl[k] - wl2[k];
  }
}

// The dissipation difference at an interface with sensor s and third
// difference d3 of one component: s (w(b) - w(a)) - max(0, k4 - s) d3.
inline double dissipationDifference(double s, double k4, double wa, double wb, double d3) {
  const double eps4 = std::max(0.0, k4 - s);
  return s * (wb - wa) - eps4 * d3;
}
