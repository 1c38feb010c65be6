#include "view/particles.h"

#include <algorithm>
#include <cmath>

int particleCount(const Model& m) { return std::min(kParticleCapacity, 4 * (m.ryNy - 2)); }

int tracePointCount(int speed) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<int>(std::nearbyint(1800 / (speed * 0.2 + 0.8)));
}

double traceDisplacementFactor(const Model& m, int speed) {
  return std::sqrt(1.4) * 0.06 * 1.3 * m.viewScale / m.uInfTrace * speed;
}

namespace {
// Pixel rounding of the drawing routines: halves away from zero.
int roundHalfAway(double x) {
  return x >= 0 ? static_cast<int>(std::trunc(x + 0.5)) : -static_cast<int>(std::trunc(-x + 0.5));
}
} // namespace

void traceParticles(Model& m, WindowServices& ws, int pointCount, double factor) {
  const int n = particleCount(m);
  ws.setProgressRange(1, n);
  int seedI = roundHalfAway(std::min(m.ryNy / 2.0, 40.0));
  int seedJ = 1;
  // The displacement of the nearest point; kept when a search finds no point
  // nearer than its starting distance (zero before the first find).
  double du = 0, dv = 0;
  for (int k = 1; k <= n; ++k) {
    ws.processPendingMessages();
    seedJ = seedJ + 1;
    if (seedJ == m.ryNy) {
      seedJ = 2;
      seedI = seedI + 2;
    }
    ws.setProgressPosition(k);
    m.traceX[k][1] = m.ry[seedI][seedJ].ryPixX;
    m.traceY[k][1] = m.ry[seedI][seedJ].ryPixY;
    int a = std::max(seedI - 2, 2);
    int b = std::max(seedJ - 5, 2);
    for (int t = 1; t <= pointCount - 1; ++t) {
      const double x = m.traceX[k][t];
      const double y = m.traceY[k][t];
      // The window of this search is fixed when it starts; a better point
      // moves the window of the next one.
      const int iLast = std::min(a + 11, m.ryNx);
      const int jLast = std::min(b + 6, m.ryNy - 1);
      const int iFirst = a, jFirst = b;
      double best = 100000;
      for (int i = iFirst; i <= iLast; ++i)
        for (int j = jFirst; j <= jLast; ++j) {
          const double ex = x - m.ry[i][j].ryPixX;
          const double ey = y - m.ry[i][j].ryPixY;
          const double d2 = ex * ex + ey * ey;
          if (d2 < best) {
            best = d2;
            du = m.ryFlow[i][j][slot::u] * factor;
            dv = m.ryFlow[i][j][slot::v] * factor;
            a = std::max(2, i - 1);
            b = std::max(2, j - 3);
          }
        }
      // A non-finite velocity (a diverged run) must not carry a particle to
      // a position that cannot be drawn: such a particle rests.
      if (!std::isfinite(du) || !std::isfinite(dv)) du = dv = 0;
      m.traceX[k][t + 1] = x + du;
      m.traceY[k][t + 1] = y - dv;
      m.traceMoving[k][t] = du * du + dv * dv >= 0.01 * 0.01;
    }
  }
}
