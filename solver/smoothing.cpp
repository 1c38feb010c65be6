#include "solver/smoothing.h"

namespace {

// The forward sweep turns row n of a line into x(n) + c'(n) x(n+1) = r'(n),
// with c'(n) = c(n) / b'(n), b'(n) = b(n) - a(n) c'(n-1), b'(first) = b.
// These depend only on the position from the start of the line, not on the
// line or its length, so they are formed once, in triCoef[1..length], by
// exactly the operations each line's own elimination would do.
void eliminationCoefficients(Model& m, int length) {
  auto& t = m.triCoef;
  for (int n = 1; n <= length; ++n) t[n] = {-2.3, 5.6, -2.3};
  for (int n = 1; n <= length; ++n) {
    t[n].c = t[n].c / t[n].b;
    if (n < length) t[n + 1].b = t[n + 1].b - t[n + 1].a * t[n].c;
  }
}

// Solves the lines l = l1..l2, each over the positions n = n1..n2, in place:
// at(l, n) is the flow record whose dq1..dq4 are the right-hand sides.  The
// lines are independent, so they are swept side by side, one position at a
// time; each line sees the operations of its own Thomas elimination in their
// order:
//   forward, n = n1..n2:  r(n) = r(n) / b'(n);  r(n+1) = r(n+1) - a r(n)
//   back, n = n2-1..n1:   r(n) = r(n) - c'(n) r(n+1).
template <class At>
void solveLines(Model& m, int l1, int l2, int n1, int n2, At at) {
  if (l1 > l2 || n1 > n2) return;
  eliminationCoefficients(m, n2 - n1 + 1);
  const auto& t = m.triCoef;
  for (int n = n1; n <= n2; ++n) {
    const double b = t[n - n1 + 1].b;
    if (n < n2) {
      const double a = t[n - n1 + 2].a;
      for (int l = l1; l <= l2; ++l) {
        FlowPoint& r = at(l, n);
        FlowPoint& next = at(l, n + 1);
        for (int k = slot::dq; k < slot::dq + 4; ++k) {
          r[k] = r[k] / b;
          next[k] = next[k] - a * r[k];
        }
      }
    } else {
      for (int l = l1; l <= l2; ++l) {
        FlowPoint& r = at(l, n);
        for (int k = slot::dq; k < slot::dq + 4; ++k) r[k] = r[k] / b;
      }
    }
  }
  for (int n = n2 - 1; n >= n1; --n) {
    const double c = t[n - n1 + 1].c;
    for (int l = l1; l <= l2; ++l) {
      FlowPoint& r = at(l, n);
      const FlowPoint& next = at(l, n + 1);
      for (int k = slot::dq; k < slot::dq + 4; ++k) r[k] = r[k] - c * next[k];
    }
  }
}

} // namespace

// Both are built twice, for processors with and without 256-bit vectors
// (the loader picks one); both do the same IEEE operations, there being no
// fused multiply-add in either.
__attribute__((target_clones("avx2", "default"), flatten)) void Gauss_RY(Model& m) {
  const int nx = m.ryNx, ny = m.ryNy;
  solveLines(m, 2, nx - 1, 1, ny, [&](int i, int j) -> FlowPoint& { return m.ryFlow[i][j]; });
  solveLines(m, 2, ny - 1, 1, nx, [&](int j, int i) -> FlowPoint& { return m.ryFlow[i][j]; });
}

__attribute__((target_clones("avx2", "default"), flatten)) void Gauss_WK(Model& m, int pFirst, int pLast, int rFirst, int rLast, int s) {
  solveLines(m, pFirst, pLast, rFirst, rLast, [&](int p, int r) -> FlowPoint& { return m.wkFlow[p][r][s]; });
  solveLines(m, rFirst, rLast, pFirst, pLast, [&](int r, int p) -> FlowPoint& { return m.wkFlow[p][r][s]; });
}
