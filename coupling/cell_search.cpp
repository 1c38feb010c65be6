#include "coupling/cell_search.h"

#include "core/extremes.h"

#include <cmath>

namespace {

// cross(U, V) = Ux·Vy − Uy·Vx
double cross(double ux, double uy, double vx, double vy) {
  return ux * vy - uy * vx;
}

double length(double ux, double uy) {
  return std::sqrt(ux * ux + uy * uy);
}

} // namespace

void searchCellEdges(Model& m, int a, int b, int c) {
  m.hitA = 0;
  const auto& X = m.searchX;
  const auto& Y = m.searchY;
  const double tx = X[6], ty = Y[6];

  // Edge from corner A to corner B, and where an edge hit puts (s, t):
  // the fraction f along the edge goes to s or t, the other is fixed.
  struct Edge {
    int from, to;
    bool fAlongS; // f is s (else t)
    double fixed; // the other coordinate
  };
  static constexpr Edge edges[4] = {
      {1, 2, true, 0.0}, {2, 3, false, 1.0}, {4, 3, true, 1.0}, {1, 4, false, 0.0}};
  for (const Edge& e : edges) {
    const double ax = X[e.from], ay = Y[e.from];
    const double bx = X[e.to], by = Y[e.to];
    // Twice the area of triangle A, B, T: an absolute tolerance, not scaled
    // by the edge length.
    if (!(std::fabs(cross(bx - ax, by - ay, tx - ax, ty - ay)) < 1e-10)) continue;
    const double dA = length(tx - ax, ty - ay);
    const double dB = length(tx - bx, ty - by);
    if (!(dA + dB > 0)) continue;
    if (!(dA + dB < length(bx - ax, by - ay) + 0.01)) continue;
    double f = dA / (dA + dB);
    if (f < 1e-10) f = 1 - dB / (dA + dB);
    m.hitA = a;
    m.hitB = b;
    m.hitC = c;
    m.hitS = e.fAlongS ? f : e.fixed;
    m.hitT = e.fAlongS ? e.fixed : f;
    return;
  }
}

void searchCellInterior(Model& m, int a, int b, int c) {
  const auto& X = m.searchX;
  const auto& Y = m.searchY;

  // Side test: for the two pairs of opposite edges, the target must lie on
  // the same side of each edge as the reference point (or on the edge).
  double cT[5], cR[5];
  static constexpr int from[5] = {0, 1, 2, 3, 4};
  static constexpr int to[5] = {0, 2, 3, 4, 1};
  for (int k = 1; k <= 4; ++k) {
    const double ex = X[to[k]] - X[from[k]], ey = Y[to[k]] - Y[from[k]];
    cT[k] = cross(ex, ey, X[6] - X[from[k]], Y[6] - Y[from[k]]);
    cR[k] = cross(ex, ey, X[5] - X[from[k]], Y[5] - Y[from[k]]);
  }
  const double side13 = cT[1] * cR[1] * cT[3] * cR[3];
  const double side24 = cT[2] * cR[2] * cT[4] * cR[4];

  if (side13 >= 0 && side24 >= 0) {
    // T − P1 = s·e + t·f + s·t·g; crossing with (f + s·g), resp. (e + t·g),
    // leaves one quadratic in s and one in t.
    const double ex = X[2] - X[1], ey = Y[2] - Y[1];
    const double fx = X[4] - X[1], fy = Y[4] - Y[1];
    const double gx = X[1] + X[3] - X[2] - X[4], gy = Y[1] + Y[3] - Y[2] - Y[4];
    const double dx = X[6] - X[1], dy = Y[6] - Y[1];
    double a1 = ex * gy - ey * gx;
    double b1 = ex * fy - fx * ey - dx * gy + dy * gx;
    double c1 = fx * dy - dx * fy;
    double a2 = fx * gy - fy * gx;
    double b2 = fx * ey - ex * fy - dx * gy + dy * gx;
    double c2 = ex * dy - dx * ey;
    // Normalise a true quadratic to 0.5·x² + ...; a parallelogram (every
    // main-grid cell) keeps a = 0 and a linear equation.
    if (a1 != 0) {
      b1 = 0.5 * b1 / a1;
      c1 = 0.5 * c1 / a1;
      a1 = 0.5;
    }
    if (a2 != 0) {
      b2 = 0.5 * b2 / a2;
      c2 = 0.5 * c2 / a2;
      a2 = 0.5;
    }
    m.hitS = quadraticRoot(a1, b1, c1);
    m.hitT = quadraticRoot(a2, b2, c2);
    m.hitA = a;
    m.hitB = b;
    m.hitC = c;
  }

  // Range checks, always; a NaN fails the last two.
  if (m.hitS > 1 || m.hitT > 1 || !(m.hitS >= 0) || !(m.hitT >= 0)) m.hitA = 0;
}

double quadraticRoot(double qa, double qb, double qc) {
  if (qa == 0) {
    if (qb == 0) return 1;
    return -qc / qb;
  }
  // 0.5·x² + qb·x + qc = 0: the roots are q and 2·qc/q with q formed so that
  // no cancellation occurs; a negative discriminant is clamped to 0.
  const double d = maxOf(qb * qb - 2 * qc, 0);
  const double q = qb > 0 ? -qb - std::sqrt(d) : std::sqrt(d) - qb;
  const double x1 = q == 0 ? 0 : 2 * qc / q;
  return x1 >= 0 ? x1 : q;
}
