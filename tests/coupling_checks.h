// Checks shared by the coupling tests: every link reproduces its receiver,
// and two link lists are identical.
#pragma once
#include "core/model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

// Interpolating the donor cell's corner coordinates with the link's bilinear
// weights gives back the receiver's coordinates, and 0 <= s, t <= 1.
inline void expectLinksReproduceReceivers(const Model& m, const std::string& what) {
  auto corner = [](double s, double t, double v1, double v2, double v3, double v4) {
    return (1 - s) * (1 - t) * v1 + s * (1 - t) * v2 + s * t * v3 + (1 - s) * t * v4;
  };
  auto inRange = [](const Link& l) { return l.s >= 0 && l.s <= 1 && l.t >= 0 && l.t <= 1; };
  int bad = 0;
  for (int k = 1; k <= m.ryFromWkCount && bad < 5; ++k) {
    const Link& l = m.ryFromWk[k];
    const int p = l.donor[1], r = l.donor[2], c = l.donor[3];
    const double x = corner(l.s, l.t, m.wk[p][r][c].wkX, m.wk[p + 1][r][c].wkX,
                            m.wk[p + 1][r + 1][c].wkX, m.wk[p][r + 1][c].wkX);
    const double y = corner(l.s, l.t, m.wk[p][r][c].wkY, m.wk[p + 1][r][c].wkY,
                            m.wk[p + 1][r + 1][c].wkY, m.wk[p][r + 1][c].wkY);
    const MainPoint& q = m.ry[l.receiver[1]][l.receiver[2]];
    if (!inRange(l) || std::abs(x - q.ryX) > 1e-9 || std::abs(y - q.ryY) > 1e-9) {
      ++bad;
      ADD_FAILURE() << what << ": ryFromWk link " << k << " (" << l.receiver[1] << ", "
                    << l.receiver[2] << ") s " << l.s << " t " << l.t << " gives (" << x << ", "
                    << y << ") for (" << q.ryX << ", " << q.ryY << ")";
    }
  }
  for (int k = 1; k <= m.wkFromWkCount && bad < 5; ++k) {
    const Link& l = m.wkFromWk[k];
    const int p = l.donor[1], r = l.donor[2];
    const double x = corner(l.s, l.t, m.wk[p][r][1].wkX, m.wk[p + 1][r][1].wkX,
                            m.wk[p + 1][r + 1][1].wkX, m.wk[p][r + 1][1].wkX);
    const double y = corner(l.s, l.t, m.wk[p][r][1].wkY, m.wk[p + 1][r][1].wkY,
                            m.wk[p + 1][r + 1][1].wkY, m.wk[p][r + 1][1].wkY);
    const AuxPoint& q = m.wk[l.receiver[1]][l.receiver[2]][l.receiver[3]];
    if (!inRange(l) || std::abs(x - q.wkX) > 1e-9 || std::abs(y - q.wkY) > 1e-9) {
      ++bad;
      ADD_FAILURE() << what << ": wkFromWk link " << k << " receiver " << l.receiver[1];
    }
  }
  for (int k = 1; k <= m.wkFromRyCount && bad < 5; ++k) {
    const Link& l = m.wkFromRy[k];
    const int i = l.donor[1], j = l.donor[2];
    const double x = corner(l.s, l.t, m.ry[i][j].ryX, m.ry[i + 1][j].ryX, m.ry[i + 1][j + 1].ryX,
                            m.ry[i][j + 1].ryX);
    const double y = corner(l.s, l.t, m.ry[i][j].ryY, m.ry[i + 1][j].ryY, m.ry[i + 1][j + 1].ryY,
                            m.ry[i][j + 1].ryY);
    const AuxPoint& q = m.wk[l.receiver[1]][l.receiver[2]][l.receiver[3]];
    if (!inRange(l) || std::abs(x - q.wkX) > 1e-9 || std::abs(y - q.wkY) > 1e-9) {
      ++bad;
      ADD_FAILURE() << what << ": wkFromRy link " << k << " receiver " << l.receiver[1];
    }
  }
}

inline bool sameLink(const Link& a, const Link& b) {
  auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
  return a.receiver == b.receiver && a.donor == b.donor && bits(a.s) == bits(b.s) &&
         bits(a.t) == bits(b.t);
}

// The two models hold the same counts and the same links, bit for bit.
inline void expectSameLinks(const Model& a, const Model& b, const std::string& what) {
  ASSERT_EQ(a.ryFromWkCount, b.ryFromWkCount) << what;
  ASSERT_EQ(a.wkFromWkCount, b.wkFromWkCount) << what;
  ASSERT_EQ(a.wkFromRyCount, b.wkFromRyCount) << what;
  for (int k = 1; k <= a.ryFromWkCount; ++k)
    ASSERT_TRUE(sameLink(a.ryFromWk[k], b.ryFromWk[k])) << what << ": ryFromWk link " << k;
  for (int k = 1; k <= a.wkFromWkCount; ++k)
    ASSERT_TRUE(sameLink(a.wkFromWk[k], b.wkFromWk[k])) << what << ": wkFromWk link " << k;
  for (int k = 1; k <= a.wkFromRyCount; ++k)
    ASSERT_TRUE(sameLink(a.wkFromRy[k], b.wkFromRy[k])) << what << ": wkFromRy link " << k;
}
