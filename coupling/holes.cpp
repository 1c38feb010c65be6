#include "coupling/holes.h"

#include "coupling/coupling_texts.h"

#include <cmath>
#include <string>

namespace {

constexpr int kMarker = 8;          // ryFlow slot of the diffusing marker
constexpr int kBuffer = 9;          // ryFlow slot of the sweep buffer, then the inner-hole mark
constexpr double kHoleSeed = 100;   // holeSeed
constexpr int kSweeps = 300;
constexpr double kEllipseLimit = 3.0;

// min and max as the hole seeding defines them: a NaN in a gives b.
double minOf(double a, double b) { return a < b ? a : b; }
double maxOf(double a, double b) { return a > b ? a : b; }

// The marker at (i, j), 0 outside the grid in use.
double markerAt(const Model& m, int i, int j) {
  if (i < 1 || i > m.ryNx || j < 1 || j > m.ryNy) return 0;
  return m.ryFlow[i][j][kMarker];
}

// A marker of holeSeed on every main-grid point whose squared distance from
// the body's centre is below rad (rad is compared with the square).
void seedBody(Model& m, int b) {
  const int shapeCode = m.bodyShape[b];
  if (shapeCode == shape::plate) return;
  double rad = std::sqrt(m.bodySize[b]) / 2;
  if (shapeCode == shape::ellipse) rad = minOf(m.ellipseRatio, kEllipseLimit) * rad;
  rad = maxOf(rad, m.ryH * m.ryH + 0.1);
  if (shapeCode == shape::ellipse && m.bodySize[b] * m.ellipseRatio < kEllipseLimit) return;
  const double xc = m.body[b].bodyX, yc = m.body[b].bodyY;
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      const double dx = xc - m.ry[i][j].ryX, dy = yc - m.ry[i][j].ryY;
      if (rad > dx * dx + dy * dy) m.ryFlow[i][j][kMarker] = kHoleSeed;
    }
}

void holdReceivers(Model& m) {
  for (int k = 1; k <= m.ryFromWkCount; ++k)
    m.ryFlow[m.ryFromWk[k].receiver[1]][m.ryFromWk[k].receiver[2]][kMarker] = 1.0;
}

} // namespace

void Remove_Pipe_3(Model& m, WindowServices& ws) {
  if (m.stopFlag) return;

  for (int i = 1; i <= kMainNxCapacity; ++i)
    for (int j = 1; j <= kMainNyCapacity; ++j) {
      m.ryFlow[i][j][kMarker] = 0;
      m.ryFlow[i][j][kBuffer] = 0;
    }

  for (int b = 1; b <= m.nBodies; ++b) seedBody(m, b);

  // The progress bar's minimum stays where By_L_R1 put it.
  ws.setProgressRange(1, kSweeps);
  for (int k = 1; k <= kSweeps; ++k) {
    ws.setProgressPosition(k);
    holdReceivers(m);
    for (int i = 2; i <= m.ryNx - 1; ++i)
      for (int j = 2; j <= m.ryNy - 1; ++j)
        m.ryFlow[i][j][kBuffer] = 0.25 * (m.ryFlow[i - 1][j][kMarker] + m.ryFlow[i + 1][j][kMarker] +
                                          m.ryFlow[i][j - 1][kMarker] + m.ryFlow[i][j + 1][kMarker]);
    for (int i = 2; i <= m.ryNx - 1; ++i)
      for (int j = 2; j <= m.ryNy - 1; ++j) m.ryFlow[i][j][kMarker] = m.ryFlow[i][j][kBuffer];
  }
  holdReceivers(m);

  int holes = 0;
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      m.ryHoleFlag[i][j] = 0;
      m.ryFlow[i][j][kBuffer] = 0;
      if (m.ryFlow[i][j][kMarker] >= 1.0) {
        ++holes;
        if (holes <= kHoleCapacity) m.ryBlankList[holes] = {i, j};
        m.ryHoleFlag[i][j] = 1;
        m.ryFlow[i][j][kMarker] = 1.0;
      }
    }

  // Inner holes: every hole holds exactly 1.0 and every other point less, so
  // the four neighbours sum to 4 only around a point enclosed by holes.
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j)
      if (markerAt(m, i - 1, j) + markerAt(m, i + 1, j) + markerAt(m, i, j - 1) +
              markerAt(m, i, j + 1) ==
          4.0)
        m.ryFlow[i][j][kBuffer] = 1.0;

  if (holes <= kHoleCapacity) {
    m.ryBlankCount = holes;
  } else {
    ws.showMessage(couplingText::tooManyHoles + std::to_string(holes));
  }
}
