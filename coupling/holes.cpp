#include "coupling/holes.h"

#include "core/extremes.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kMarker = 8;        // mainFlow slot of the diffusing marker
constexpr int kBuffer = 9;        // mainFlow slot of the sweep buffer, then the inner-hole mark
constexpr double kHoleSeed = 100; // holeSeed
// Sweeps at the classic fineness; a grid f times finer takes f² times as
// many, the marker diffusing over f times as many points.
constexpr int kSweeps = 300;
constexpr double kEllipseLimit = 3.0;

// The two scratch values of every main-grid point, the marker and the sweep
// buffer, held while the sweeps run in two compact arrays with a border of
// zeros (i = 0..mainNx+1, j = 0..mainNy+1, j running fastest) instead of in the
// flow records, whose stride of 16 doubles makes the sweeps several times
// slower.  Every value and every operation is the same, so the results are.
class ScratchField {
public:
  ScratchField(int nx, int ny) : ny_(ny), marker_((nx + 2) * (ny + 2), 0.0), buffer_(marker_) {}
  double& marker(int i, int j) { return marker_[i * (ny_ + 2) + j]; }
  double& buffer(int i, int j) { return buffer_[i * (ny_ + 2) + j]; }
  double* markerColumn(int i) { return &marker_[i * (ny_ + 2)]; }
  double* bufferColumn(int i) { return &buffer_[i * (ny_ + 2)]; }

private:
  int ny_;
  std::vector<double> marker_, buffer_;
};

// A marker of holeSeed on every main-grid point whose squared distance from
// the body's centre is below rad (rad is compared with the square).
void seedBody(const CouplingState& m, int b, ScratchField& field) {
  const int shapeCode = m.grids.bodyShape[b];
  if (shapeCode == shape::plate) return;
  double rad = std::sqrt(m.grids.bodySize[b]) / 2;
  if (shapeCode == shape::ellipse) rad = minOf(m.layout.ellipseRatio, kEllipseLimit) * rad;
  rad = maxOf(rad, m.grids.mainSpacing * m.grids.mainSpacing + 0.1);
  if (shapeCode == shape::ellipse && m.grids.bodySize[b] * m.layout.ellipseRatio < kEllipseLimit)
    return;
  const double xc = m.grids.body[b].bodyX, yc = m.grids.body[b].bodyY;
  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      const double dx = xc - m.grids.mainGrid[i][j].mainGridX,
                   dy = yc - m.grids.mainGrid[i][j].mainGridY;
      if (rad > dx * dx + dy * dy) field.marker(i, j) = kHoleSeed;
    }
}

void holdReceivers(const CouplingState& m, ScratchField& field) {
  for (int k = 1; k <= m.coupling.mainFromBodyCount; ++k)
    field.marker(m.coupling.mainFromBody[k].receiver[1], m.coupling.mainFromBody[k].receiver[2]) =
        1.0;
}

// One Jacobi sweep over the interior points: the buffer takes the average of
// the four neighbours' markers, then the markers take the buffer.
void sweep(int nx, int ny, ScratchField& field) {
  for (int i = 2; i <= nx - 1; ++i) {
    const double* west = field.markerColumn(i - 1);
    const double* here = field.markerColumn(i);
    const double* east = field.markerColumn(i + 1);
    double* out = field.bufferColumn(i);
    for (int j = 2; j <= ny - 1; ++j)
      out[j] = 0.25 * (west[j] + east[j] + here[j - 1] + here[j + 1]);
  }
  for (int i = 2; i <= nx - 1; ++i) {
    const double* in = field.bufferColumn(i);
    double* marker = field.markerColumn(i);
    for (int j = 2; j <= ny - 1; ++j) marker[j] = in[j];
  }
}

} // namespace

std::optional<SetupProblem> cutHoles(const CouplingState& m, ProgressObserver& progress) {
  if (m.run.stopFlag) return std::nullopt;
  const int nx = m.grids.mainNx, ny = m.grids.mainNy;
  ScratchField field(nx, ny); // cleared: the marker and buffer start at 0

  for (int b = 1; b <= m.grids.nBodies; ++b) seedBody(m, b, field);

  // The progress bar's minimum stays where findMainGridLinks put it.
  const int f = finenessOfGrids(m.grids), sweeps = kSweeps * f * f,
            capacity = capacitiesAt(f).holes;
  progress.setProgressRange(1, sweeps);
  for (int k = 1; k <= sweeps; ++k) {
    progress.setProgressPosition(k);
    holdReceivers(m, field);
    sweep(nx, ny, field);
  }
  holdReceivers(m, field);

  // Mark the holes, i outer and j inner (the list's order).
  int holes = 0;
  for (int i = 1; i <= nx; ++i)
    for (int j = 1; j <= ny; ++j) {
      m.coupling.mainHoleFlag[i][j] = 0;
      if (field.marker(i, j) >= 1.0) {
        ++holes;
        if (holes <= capacity) storeListEntry(m.coupling.mainHoleList, holes, GridIndex{i, j});
        m.coupling.mainHoleFlag[i][j] = 1;
        field.marker(i, j) = 1.0;
      }
    }

  // Inner holes: every hole holds exactly 1.0 and every other point less, so
  // the four neighbours sum to 4 only around a point enclosed by holes.  The
  // border of zeros stands for the neighbours outside the grid.
  for (int i = 1; i <= nx; ++i)
    for (int j = 1; j <= ny; ++j)
      field.buffer(i, j) = field.marker(i - 1, j) + field.marker(i + 1, j) +
                                       field.marker(i, j - 1) + field.marker(i, j + 1) ==
                                   4.0
                               ? 1.0
                               : 0.0;

  // Slots 8 and 9 of the flow records: the marker and the inner-hole mark.
  for (int i = 1; i <= nx; ++i)
    for (int j = 1; j <= ny; ++j) {
      m.solution.mainFlow[i][j][kMarker] = field.marker(i, j);
      m.solution.mainFlow[i][j][kBuffer] = field.buffer(i, j);
    }

  if (holes > capacity) return SetupProblem{SetupProblem::Kind::tooManyHoles, {holes}};
  m.coupling.mainHoleCount = holes;
  m.coupling.mainHoleList.resize(std::size_t(holes) + 1);
  return std::nullopt;
}
