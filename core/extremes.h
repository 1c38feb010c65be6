// The smaller and the larger of two values, in the form the grid extent and
// the hole seeding rely on.
//
// minOf(a, b) is a when a < b, and b otherwise: for equal values it gives b,
// and when either value is a NaN the comparison is false, so it gives b too.
// maxOf(a, b) is a when a > b, and b otherwise, with the same rule for equal
// values and NaN.  std::min and std::max give a in both of these cases, which
// is why they are not used where these are.
#pragma once

inline double minOf(double a, double b) {
  return a < b ? a : b;
}
inline double maxOf(double a, double b) {
  return a > b ? a : b;
}
