#include "solver/smoothing.h"

#include "solver/parallel.h"

#include <algorithm>

namespace {

// The smoothing coefficient eps of the line operator.
constexpr double kSmoothing = 2.3;

} // namespace

// The forward sweep turns row n of a line into x(n) + c'(n) x(n+1) = r'(n),
// with c'(n) = c(n) / b'(n), b'(n) = b(n) - a(n) c'(n-1), b'(first) = b.
// These depend only on the position from the start of the line, not on the
// line or its length, so they are formed once, in t[1..length], by exactly
// the operations each line's own elimination would do.  Each call of the
// smoothing keeps its own (the grids may be smoothed at once on two threads).
void eliminationCoefficients(LineCoefficients& t, int length) {
  if (t.size() < std::size_t(length) + 1) t.resize(std::size_t(length) + 1);
  for (int n = 1; n <= length; ++n) t[n] = {-kSmoothing, 1 + 2 * kSmoothing, -kSmoothing};
  for (int n = 1; n <= length; ++n) {
    t[n].c = t[n].c / t[n].b;
    if (n < length) t[n + 1].b = t[n + 1].b - t[n + 1].a * t[n].c;
  }
}

namespace {

// Solves the lines l = lines.first..lines.last, each over the positions
// n = n1..n2, in place, with the coefficients of eliminationCoefficients(t,
// n2 - n1 + 1): at(l, n) points to the four right-hand sides of position n
// of line l (dq1..dq4 of a flow record, or the four values of an
// interleaved work plane).  The lines are independent, so they are swept
// side by side, one position at a time; each line sees the operations of
// its own Thomas elimination in their order:
//   forward, n = n1..n2:  r(n) = r(n) / b'(n);  r(n+1) = r(n+1) - a r(n)
//   back, n = n2-1..n1:   r(n) = r(n) - c'(n) r(n+1).
template <class At>
void solveLineBlock(const LineCoefficients& t, int l1, int l2, int n1, int n2, At at) {
  for (int n = n1; n <= n2; ++n) {
    const double b = t[n - n1 + 1].b;
    if (n < n2) {
      const double a = t[n - n1 + 2].a;
      for (int l = l1; l <= l2; ++l) {
        double* __restrict r = at(l, n);
        double* __restrict next = at(l, n + 1);
        for (int k = 0; k < 4; ++k) {
          r[k] = r[k] / b;
          next[k] = next[k] - a * r[k];
        }
      }
    } else {
      for (int l = l1; l <= l2; ++l) {
        double* __restrict r = at(l, n);
        for (int k = 0; k < 4; ++k) r[k] = r[k] / b;
      }
    }
  }
  for (int n = n2 - 1; n >= n1; --n) {
    const double c = t[n - n1 + 1].c;
    for (int l = l1; l <= l2; ++l) {
      double* __restrict r = at(l, n);
      const double* __restrict next = at(l, n + 1);
      for (int k = 0; k < 4; ++k) r[k] = r[k] - c * next[k];
    }
  }
}

// Lines swept side by side this many at a time: enough independent
// divisions in flight, few enough lines that the two positions a step
// touches of each stay in the first-level cache.
constexpr int kLinesAtATime = 16;

template <class At>
void solveLines(const LineCoefficients& t, IndexRange lines, int n1, int n2, At at) {
  if (n1 > n2) return;
  for (int l = lines.first; l <= lines.last; l += kLinesAtATime)
    solveLineBlock(t, l, std::min(l + kLinesAtATime - 1, lines.last), n1, n2, at);
}

// The four kinds of line.
WHIRLPANE_HOT_LOOP void mainYLines(const SolverState& m, const LineCoefficients& t,
                                   IndexRange lines) {
  solveLines(t, lines, 1, m.grids.mainNy,
             [&](int i, int j) { return &m.solution.mainFlow[i][j][slot::dq]; });
}
WHIRLPANE_HOT_LOOP void mainXLines(const SolverState& m, const LineCoefficients& t,
                                   IndexRange lines) {
  solveLines(t, lines, 1, m.grids.mainNx,
             [&](int j, int i) { return &m.solution.mainFlow[i][j][slot::dq]; });
}
WHIRLPANE_HOT_LOOP void auxRadialLines(const SolverState& m, const LineCoefficients& t,
                                       IndexRange lines, int rFirst, int rLast, int s) {
  solveLines(t, lines, rFirst, rLast,
             [&](int p, int r) { return &m.solution.bodyFlow[p][r][s][slot::dq]; });
}
WHIRLPANE_HOT_LOOP void auxPerimeterLines(const SolverState& m, const LineCoefficients& t,
                                          IndexRange lines, int pFirst, int pLast, int s) {
  solveLines(t, lines, pFirst, pLast,
             [&](int r, int p) { return &m.solution.bodyFlow[p][r][s][slot::dq]; });
}

} // namespace

// Each direction in turn: its coefficients once, then its lines (none when
// the direction has no lines or no positions).
void smoothMainGrid(const SolverState& m) {
  const int nx = m.grids.mainNx, ny = m.grids.mainNy;
  thread_local LineCoefficients t;
  if (nx - 1 >= 2 && ny >= 1) {
    eliminationCoefficients(t, ny);
    mainYLines(m, t, {2, nx - 1});
  }
  if (ny - 1 >= 2 && nx >= 1) {
    eliminationCoefficients(t, nx);
    mainXLines(m, t, {2, ny - 1});
  }
}

void smoothBodyGrids(const SolverState& m, int pFirst, int pLast, int rFirst, int rLast, int s) {
  if (pLast < pFirst || rLast < rFirst) return;
  thread_local LineCoefficients t;
  eliminationCoefficients(t, rLast - rFirst + 1);
  auxRadialLines(m, t, {pFirst, pLast}, rFirst, rLast, s);
  eliminationCoefficients(t, pLast - pFirst + 1);
  auxPerimeterLines(m, t, {rFirst, rLast}, pFirst, pLast, s);
}

WHIRLPANE_HOT_LOOP void smoothMainPlane(const Grids& grids, double* d, int stride) {
  const int nx = grids.mainNx, ny = grids.mainNy;
  thread_local LineCoefficients t;
  if (nx - 1 >= 2 && ny >= 1) eliminationCoefficients(t, ny);
  solveLines(t, {2, nx - 1}, 1, ny, [&](int i, int j) { return d + 4 * (i * stride + j); });
  if (ny - 1 >= 2 && nx >= 1) eliminationCoefficients(t, nx);
  solveLines(t, {2, ny - 1}, 1, nx, [&](int j, int i) { return d + 4 * (i * stride + j); });
}
