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
  auto aux = [&](int p, int r) {
    return XY{m.grids.bodyGrid[p][r][1].bodyGridX, m.grids.bodyGrid[p][r][1].bodyGridY};
  };
  auto main = [&](int i, int j) {
    return XY{m.grids.mainGrid[i][j].mainGridX, m.grids.mainGrid[i][j].mainGridY};
  };
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
  for (int k = 1; k <= m.coupling.mainFromBodyCount; ++k) {
    const Link& l = m.coupling.mainFromBody[k];
    EXPECT_EQ(l.donor[3], 1);
    check("mainFromBody", k, l, aux, main(l.receiver[1], l.receiver[2]));
  }
  for (int k = 1; k <= m.coupling.bodyFromBodyCount; ++k)
    check("bodyFromBody", k, m.coupling.bodyFromBody[k], aux,
          aux(m.coupling.bodyFromBody[k].receiver[1], 1));
  for (int k = 1; k <= m.coupling.bodyFromMainCount; ++k)
    check("bodyFromMain", k, m.coupling.bodyFromMain[k], main,
          aux(m.coupling.bodyFromMain[k].receiver[1], 1));
}

inline bool sameLink(const Link& a, const Link& b) {
  auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
  return a.receiver == b.receiver && a.donor == b.donor && bits(a.s) == bits(b.s) &&
         bits(a.t) == bits(b.t);
}

// The two models hold the same counts and the same links, bit for bit.
inline void expectSameLinks(const Model& a, const Model& b, const std::string& what) {
  ASSERT_EQ(a.coupling.mainFromBodyCount, b.coupling.mainFromBodyCount) << what;
  ASSERT_EQ(a.coupling.bodyFromBodyCount, b.coupling.bodyFromBodyCount) << what;
  ASSERT_EQ(a.coupling.bodyFromMainCount, b.coupling.bodyFromMainCount) << what;
  for (int k = 1; k <= a.coupling.mainFromBodyCount; ++k)
    ASSERT_TRUE(sameLink(a.coupling.mainFromBody[k], b.coupling.mainFromBody[k]))
        << what << ": mainFromBody link " << k;
  for (int k = 1; k <= a.coupling.bodyFromBodyCount; ++k)
    ASSERT_TRUE(sameLink(a.coupling.bodyFromBody[k], b.coupling.bodyFromBody[k]))
        << what << ": bodyFromBody link " << k;
  for (int k = 1; k <= a.coupling.bodyFromMainCount; ++k)
    ASSERT_TRUE(sameLink(a.coupling.bodyFromMain[k], b.coupling.bodyFromMain[k]))
        << what << ": bodyFromMain link " << k;
}

// Main-grid points that a 4-neighbour walk from the border reaches without
// stepping on a mainFromBody receiver.
inline std::vector<std::vector<bool>> reachableFromBorder(const Model& m) {
  std::vector<std::vector<bool>> wall(m.grids.mainNx + 2,
                                      std::vector<bool>(m.grids.mainNy + 2, false));
  for (int k = 1; k <= m.coupling.mainFromBodyCount; ++k)
    wall[m.coupling.mainFromBody[k].receiver[1]][m.coupling.mainFromBody[k].receiver[2]] = true;
  std::vector<std::vector<bool>> seen(m.grids.mainNx + 2,
                                      std::vector<bool>(m.grids.mainNy + 2, false));
  std::vector<GridIndex> todo;
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j)
      if ((i == 1 || j == 1 || i == m.grids.mainNx || j == m.grids.mainNy) && !wall[i][j]) {
        seen[i][j] = true;
        todo.push_back({i, j});
      }
  while (!todo.empty()) {
    const GridIndex q = todo.back();
    todo.pop_back();
    const GridIndex next[4] = {{q.i - 1, q.j}, {q.i + 1, q.j}, {q.i, q.j - 1}, {q.i, q.j + 1}};
    for (const GridIndex& n : next)
      if (n.i >= 1 && n.i <= m.grids.mainNx && n.j >= 1 && n.j <= m.grids.mainNy &&
          !wall[n.i][n.j] && !seen[n.i][n.j]) {
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
  for (int i = 1; i <= m.grids.mainNx && bad < 5; ++i)
    for (int j = 1; j <= m.grids.mainNy && bad < 5; ++j)
      if ((m.coupling.mainHoleFlag[i][j] == 1) != !outside[i][j]) {
        ++bad;
        ADD_FAILURE() << what << ": point (" << i << ", " << j << ") hole flag "
                      << int(m.coupling.mainHoleFlag[i][j]) << " but "
                      << (outside[i][j] ? "outside" : "enclosed");
      }
}

// The hole list runs i ascending, then j, and lists exactly the flagged
// points; the marker is 1.0 at holes and below 1 elsewhere; the inner-hole
// mark is set exactly where all four neighbours are holes.
inline void expectHoleMarksConsistent(const Model& m, const std::string& what) {
  int listed = 0, bad = 0;
  auto flagged = [&](int i, int j) {
    return i >= 1 && j >= 1 && i <= m.grids.mainNx && j <= m.grids.mainNy &&
           m.coupling.mainHoleFlag[i][j] == 1;
  };
  for (int i = 1; i <= m.grids.mainNx && bad < 5; ++i)
    for (int j = 1; j <= m.grids.mainNy && bad < 5; ++j) {
      const bool hole = flagged(i, j);
      const double marker = m.solution.mainFlow[i][j][8];
      if (hole ? marker != 1.0 : !(marker < 1.0)) {
        ++bad;
        ADD_FAILURE() << what << ": marker " << marker << " at (" << i << ", " << j << ")";
      }
      if (hole) {
        ++listed;
        if (listed <= m.coupling.mainHoleCount &&
            (m.coupling.mainHoleList[listed].i != i || m.coupling.mainHoleList[listed].j != j)) {
          ++bad;
          ADD_FAILURE() << what << ": hole " << listed << " out of order";
        }
      }
      const bool inner =
          flagged(i - 1, j) && flagged(i + 1, j) && flagged(i, j - 1) && flagged(i, j + 1);
      if (m.solution.mainFlow[i][j][9] != (inner ? 1.0 : 0.0)) {
        ++bad;
        ADD_FAILURE() << what << ": inner-hole mark at (" << i << ", " << j << ")";
      }
    }
  EXPECT_EQ(listed, m.coupling.mainHoleCount) << what;
}
