// The pressure-switched artificial dissipation shared by the residuals of
// both grids: the sensor that blends second and fourth differences, and the
// third differences of the conserved quantities at the interfaces of a line.
//
// Values are read from planes (contiguous arrays of one field); a line runs
// through plane indices a, a + along, a + 2 along, ...  The interface
// n + 1/2 lies between point a = n and point b = n + 1.
#pragma once

#include <algorithm>
#include <cmath>

// Where an interface lies in its line: the sensor and the third difference
// take their own forms at the first and the last interface, where the wide
// stencil would leave the line.
enum class Place { first, inner, last };

// Pressure sensor of point a:
//   nu = |p(n+1) - 2 p(n) + p(n-1)| / (p(n+1) + 2 p(n) + p(n-1)).
inline double pressureSensor(const double* p, int a, int along) {
  const double pm = p[a - along], p0 = p[a], pp = p[a + along];
  return std::fabs(pp - 2 * p0 + pm) / (pp + 2 * p0 + pm);
}

// Sensor s of the interface between a and b: the larger of the sensors of
// the two points; the first and the last interface take the sensor of their
// one interior point.
template <Place place> inline double interfaceSensor(const double* nu, int a, int b) {
  if constexpr (place == Place::first)
    return nu[b];
  else if constexpr (place == Place::last)
    return nu[a];
  else
    return std::max(nu[a], nu[b]);
}

// Difference of order three of w at the interface after point a:
//   D3 = w(n+2) - 3 (w(n+1) - w(n)) - w(n-1),
// w(n+2) - 2 w(n+1) + w(n) at the first interface, 2 w(n) - w(n+1) - w(n-1)
// at the last.
template <Place place> inline double thirdDifference(const double* w, int a, int along) {
  const int b = a + along;
  if constexpr (place == Place::first)
    return w[b + along] - 2 * w[b] + w[a];
  else if constexpr (place == Place::last)
    return 2 * w[a] - w[b] - w[a - along];
  else
    return w[b + along] - 3 * (w[b] - w[a]) - w[a - along];
}

// The dissipation difference of one component at an interface with sensor
// s: s (w(b) - w(a)) - max(0, k4 - s) D3.  The sensor is the second-
// difference coefficient as it stands; the fourth-difference coefficient
// fades out where s grows.
inline double dissipationDifference(double s, double k4, double wa, double wb, double d3) {
  const double eps4 = std::max(0.0, k4 - s);
  return s * (wb - wa) - eps4 * d3;
}

// The low-Mach scale of the dissipation ("flow-speed").  Both residuals
// multiply the differences above by the spectral radius of the flux across
// the interface, |q| + c (q the normal velocity; on the body grids both in
// contravariant form, c times the length of the face vector).  At Mach 0.05
// that is about 21 |q|: the sound speed, not the flow, sets how much the
// scheme smears a wake, and the error of the fourth difference does not
// fall with the flow's scale.  A low-Mach preconditioner P (one parameter,
// the reference Mach number Mr) turns dU/dt + dF/dx into
// P^-1 dU/dt + dF/dx, whose waves run at
//   q (1 + Mr^2) / 2 +- c', c' = sqrt(q^2 (1 - Mr^2)^2 + 4 Mr^2 c^2) / 2,
// so its radius
//   lambda = |q| (1 + Mr^2) / 2 + c'
// is |q| + c at Mr = 1 and, with Mr = |V| / c (V the velocity), about
// 1.6 |q|: the dissipation goes with the flow and keeps its upwind share of
// it.  Only the scale is taken; the time derivative stays as it is (the
// time steps and their stability bound are those of the sound waves), so
// the scheme stays consistent in time.  Mr is the local Mach number bounded
// below (at stagnation points and walls the flow stops, and a vanishing
// scale would leave grid-scale sound waves undamped; the bound,
// SolverConstants::lowMachFloor, is at least the inflow's speed) and above
// by 1:
//   Mr = min(1, max(|V|, floor) / c∞).
inline double lowMachReferenceMach(double speed, double floorSpeed, double soundSpeed) {
  return std::min(1.0, std::max(speed, floorSpeed) / soundSpeed);
}
inline double lowMachRadius(double q, double soundLength, double mr) {
  const double m2 = mr * mr, oneLess = 1 - m2;
  return 0.5 * (1 + m2) * std::fabs(q) +
         0.5 * std::sqrt(q * q * oneLess * oneLess + 4 * m2 * soundLength * soundLength);
}
