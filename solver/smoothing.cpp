#include "solver/smoothing.h"

namespace {

// Solves one line of positions n1..n2 in place; rhs(n) gives the flow record
// whose dq1..dq4 are the four right-hand sides at position n.  triCoef is
// the elimination's scratch, refilled for every line.
template <class PointAt>
void lineSolve(Model& m, int n1, int n2, PointAt rhs) {
  auto& t = m.triCoef;
  for (int n = n1; n <= n2; ++n) t[n] = {-2.3, 5.6, -2.3};

  for (int n = n1; n <= n2; ++n) {
    FlowPoint& r = rhs(n);
    t[n].c = t[n].c / t[n].b;
    for (int k = slot::dq; k < slot::dq + 4; ++k) r[k] = r[k] / t[n].b;
    if (n < n2) {
      FlowPoint& next = rhs(n + 1);
      t[n + 1].b = t[n + 1].b - t[n + 1].a * t[n].c;
      for (int k = slot::dq; k < slot::dq + 4; ++k) next[k] = next[k] - t[n + 1].a * r[k];
    }
  }
  for (int n = n2 - 1; n >= n1; --n) {
    FlowPoint& r = rhs(n);
    const FlowPoint& next = rhs(n + 1);
    for (int k = slot::dq; k < slot::dq + 4; ++k) r[k] = r[k] - t[n].c * next[k];
  }
}

} // namespace

void Gauss_RY(Model& m) {
  for (int i = 2; i <= m.ryNx - 1; ++i)
    lineSolve(m, 1, m.ryNy, [&](int j) -> FlowPoint& { return m.ryFlow[i][j]; });
  for (int j = 2; j <= m.ryNy - 1; ++j)
    lineSolve(m, 1, m.ryNx, [&](int i) -> FlowPoint& { return m.ryFlow[i][j]; });
}

void Gauss_WK(Model& m, int pFirst, int pLast, int rFirst, int rLast, int s) {
  for (int p = pFirst; p <= pLast; ++p)
    lineSolve(m, rFirst, rLast, [&](int r) -> FlowPoint& { return m.wkFlow[p][r][s]; });
  for (int r = rFirst; r <= rLast; ++r)
    lineSolve(m, pFirst, pLast, [&](int p) -> FlowPoint& { return m.wkFlow[p][r][s]; });
}
