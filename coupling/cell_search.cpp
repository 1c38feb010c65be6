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

CellHit searchCellEdges(const CellCorners& p, PlanePoint target) {
  const double tx = target.x, ty = target.y;

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
    const double ax = p[e.from].x, ay = p[e.from].y;
    const double bx = p[e.to].x, by = p[e.to].y;
    // Twice the area of triangle A, B, T: an absolute tolerance, not scaled
    // by the edge length.
    if (!(std::fabs(cross(bx - ax, by - ay, tx - ax, ty - ay)) < 1e-10)) continue;
    const double dA = length(tx - ax, ty - ay);
    const double dB = length(tx - bx, ty - by);
    if (!(dA + dB > 0)) continue;
    if (!(dA + dB < length(bx - ax, by - ay) + 0.01)) continue;
    double f = dA / (dA + dB);
    if (f < 1e-10) f = 1 - dB / (dA + dB);
    return {true, e.fAlongS ? f : e.fixed, e.fAlongS ? e.fixed : f};
  }
  return {};
}

CellHit searchCellInterior(const CellCorners& p, PlanePoint target) {
  // The reference point, the midpoint of P1 and P3.
  const PlanePoint ref{(p[1].x + p[3].x) / 2, (p[1].y + p[3].y) / 2};

  // Side test: for the two pairs of opposite edges, the target must lie on
  // the same side of each edge as the reference point (or on the edge).
  double cT[5], cR[5];
  static constexpr int from[5] = {0, 1, 2, 3, 4};
  static constexpr int to[5] = {0, 2, 3, 4, 1};
  for (int k = 1; k <= 4; ++k) {
    const PlanePoint a = p[from[k]], b = p[to[k]];
    const double ex = b.x - a.x, ey = b.y - a.y;
    cT[k] = cross(ex, ey, target.x - a.x, target.y - a.y);
    cR[k] = cross(ex, ey, ref.x - a.x, ref.y - a.y);
  }
  const double side13 = cT[1] * cR[1] * cT[3] * cR[3];
  const double side24 = cT[2] * cR[2] * cT[4] * cR[4];
  if (!(side13 >= 0 && side24 >= 0)) return {};

  // T − P1 = s·e + t·f + s·t·g; crossing with (f + s·g), resp. (e + t·g),
  // leaves one quadratic in s and one in t.
  const double ex = p[2].x - p[1].x, ey = p[2].y - p[1].y;
  const double fx = p[4].x - p[1].x, fy = p[4].y - p[1].y;
  const double gx = p[1].x + p[3].x - p[2].x - p[4].x, gy = p[1].y + p[3].y - p[2].y - p[4].y;
  const double dx = target.x - p[1].x, dy = target.y - p[1].y;
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
  const double s = quadraticRoot(a1, b1, c1);
  const double t = quadraticRoot(a2, b2, c2);
  // A NaN fails the last two.
  if (s > 1 || t > 1 || !(s >= 0) || !(t >= 0)) return {};
  return {true, s, t};
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
