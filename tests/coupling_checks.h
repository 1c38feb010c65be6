// Checks shared by the coupling tests: every link reproduces its receiver,
// and two link lists are identical.
#pragma once
#include "core/model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// Interpolating the donor cell's corner coordinates with the link's bilinear
// weights gives back the receiver's coordinates, and 0 <= s, t <= 1.
inline void expectLinksReproduceReceivers(const Model& m, const std::string& what) {
  struct XY {
    double x, y;
  };
  auto aux = [&](int p, int r) { return XY{m.wk[p][r][1].wkX, m.wk[p][r][1].wkY}; };
  auto main = [&](int i, int j) { return XY{m.ry[i][j].ryX, m.ry[i][j].ryY}; };
  int bad = 0;
  auto check = [&](const char* list, int k, const Link& l, auto donorGrid, XY receiver) {
    const int a = l.donor[1], b = l.donor[2];
    const XY c1 = donorGrid(a, b), c2 = donorGrid(a + 1, b), c3 = donorGrid(a + 1, b + 1),
             c4 = donorGrid(a, b + 1);
    const double s = l.s, t = l.t;
    const double x =
        (1 - s) * (1 - t) * c1.x + s * (1 - t) * c2.x + s * t * c3.x + (1 - s) * t * c4.x;
    const double y =
        (1 - s) * (1 - t) * c1.y + s * (1 - t) * c2.y + s * t * c3.y + (1 - s) * t * c4.y;
    const bool inRange = s >= 0 && s <= 1 && t >= 0 && t <= 1;
    if (bad < 5 &&
        (!inRange || std::abs(x - receiver.x) > 1e-9 || std::abs(y - receiver.y) > 1e-9)) {
      ++bad;
      ADD_FAILURE() << what << ": " << list << " link " << k << " (s " << s << ", t " << t
                    << ") gives (" << x << ", " << y << ") for (" << receiver.x << ", "
                    << receiver.y << ")";
    }
  };
  for (int k = 1; k <= m.ryFromWkCount; ++k) {
    const Link& l = m.ryFromWk[k];
    EXPECT_EQ(l.donor[3], 1);
    check("ryFromWk", k, l, aux, main(l.receiver[1], l.receiver[2]));
  }
  for (int k = 1; k <= m.wkFromWkCount; ++k)
    check("wkFromWk", k, m.wkFromWk[k], aux, aux(m.wkFromWk[k].receiver[1], 1));
  for (int k = 1; k <= m.wkFromRyCount; ++k)
    check("wkFromRy", k, m.wkFromRy[k], main, aux(m.wkFromRy[k].receiver[1], 1));
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

// Main-grid points that a 4-neighbour walk from the border reaches without
// stepping on a ryFromWk receiver.
inline std::vector<std::vector<bool>> reachableFromBorder(const Model& m) {
  std::vector<std::vector<bool>> wall(m.ryNx + 2, std::vector<bool>(m.ryNy + 2, false));
  for (int k = 1; k <= m.ryFromWkCount; ++k)
    wall[m.ryFromWk[k].receiver[1]][m.ryFromWk[k].receiver[2]] = true;
  std::vector<std::vector<bool>> seen(m.ryNx + 2, std::vector<bool>(m.ryNy + 2, false));
  std::vector<GridIndex> todo;
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j)
      if ((i == 1 || j == 1 || i == m.ryNx || j == m.ryNy) && !wall[i][j]) {
        seen[i][j] = true;
        todo.push_back({i, j});
      }
  while (!todo.empty()) {
    const GridIndex q = todo.back();
    todo.pop_back();
    const GridIndex next[4] = {{q.i - 1, q.j}, {q.i + 1, q.j}, {q.i, q.j - 1}, {q.i, q.j + 1}};
    for (const GridIndex& n : next)
      if (n.i >= 1 && n.i <= m.ryNx && n.j >= 1 && n.j <= m.ryNy && !wall[n.i][n.j] &&
          !seen[n.i][n.j]) {
        seen[n.i][n.j] = true;
        todo.push_back(n);
      }
  }
  return seen;
}

// The holes are exactly the receiver ring and the points it encloses.
inline void expectHolesEnclosedByReceivers(const Model& m, const std::string& what) {
  const auto outside = reachableFromBorder(m);
  int bad = 0;
  for (int i = 1; i <= m.ryNx && bad < 5; ++i)
    for (int j = 1; j <= m.ryNy && bad < 5; ++j)
      if ((m.ryHoleFlag[i][j] == 1) != !outside[i][j]) {
        ++bad;
        ADD_FAILURE() << what << ": point (" << i << ", " << j << ") hole flag "
                      << int(m.ryHoleFlag[i][j]) << " but "
                      << (outside[i][j] ? "outside" : "enclosed");
      }
}

// The hole list runs i ascending, then j, and lists exactly the flagged
// points; the marker is 1.0 at holes and below 1 elsewhere; the inner-hole
// mark is set exactly where all four neighbours are holes.
inline void expectHoleMarksConsistent(const Model& m, const std::string& what) {
  int listed = 0, bad = 0;
  auto flagged = [&](int i, int j) {
    return i >= 1 && j >= 1 && i <= m.ryNx && j <= m.ryNy && m.ryHoleFlag[i][j] == 1;
  };
  for (int i = 1; i <= m.ryNx && bad < 5; ++i)
    for (int j = 1; j <= m.ryNy && bad < 5; ++j) {
      const bool hole = flagged(i, j);
      const double marker = m.ryFlow[i][j][8];
      if (hole ? marker != 1.0 : !(marker < 1.0)) {
        ++bad;
        ADD_FAILURE() << what << ": marker " << marker << " at (" << i << ", " << j << ")";
      }
      if (hole) {
        ++listed;
        if (listed <= m.ryBlankCount &&
            (m.ryBlankList[listed].i != i || m.ryBlankList[listed].j != j)) {
          ++bad;
          ADD_FAILURE() << what << ": hole " << listed << " out of order";
        }
      }
      const bool inner =
          flagged(i - 1, j) && flagged(i + 1, j) && flagged(i, j - 1) && flagged(i, j + 1);
      if (m.ryFlow[i][j][9] != (inner ? 1.0 : 0.0)) {
        ++bad;
        ADD_FAILURE() << what << ": inner-hole mark at (" << i << ", " << j << ")";
      }
    }
  EXPECT_EQ(listed, m.ryBlankCount) << what;
}
