#include "coupling/main_grid_links.h"

#include "coupling/cell_search.h"
#include "layout/body_layering.h"

#include <vector>

namespace {

// The donor layers of the main-grid receivers: cells of layers
// firstDonorLayer..bodyLayers−1 (layout/body_layering.h).
int firstDonorLayer(const CouplingState& m) {
  return firstMainDonorLayer(m.layout.bodyLayers, m.grids.bodyWallRatio, finenessOfGrids(m.grids));
}

// A receiver's donor: the body, the cell (p, r, c) and the local coordinates.
struct Donor {
  int body = 0; // 0: none
  int p = 0, r = 0, c = 0;
  CellHit hit;
};

// First hit over every cell, in scan order.
Donor plainDonor(const CouplingState& m, PlanePoint target, int cFirst, int cLast) {
  const int rFirst = firstDonorLayer(m);
  for (int c = cFirst; c <= cLast; ++c)
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b] - 1; ++p)
        for (int r = rFirst; r <= m.layout.bodyLayers - 1; ++r)
          if (const CellHit hit = testAuxCell(m, p, r, c, target); hit.found)
            return {b, p, r, c, hit};
  return {};
}

void indexDonorCells(const CouplingState& m, int cFirst, int cLast, CellBuckets& buckets) {
  buckets.clear();
  const int rFirst = firstDonorLayer(m);
  for (int c = cFirst; c <= cLast; ++c)
    for (int b = 1; b <= m.grids.nBodies; ++b)
      for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b] - 1; ++p)
        for (int r = rFirst; r <= m.layout.bodyLayers - 1; ++r) {
          const AuxPoint& q1 = m.grids.bodyGrid[p][r][c];
          const AuxPoint& q3 = m.grids.bodyGrid[p + 1][r + 1][c];
          buckets.add(CellBuckets::reference(q1.bodyGridX, q3.bodyGridX),
                      CellBuckets::reference(q1.bodyGridY, q3.bodyGridY), {p, r, c, b});
        }
  buckets.build();
}

// First hit over the candidate cells, in scan order.
Donor bucketedDonor(const CouplingState& m, PlanePoint target, const CellBuckets& buckets,
                    std::vector<int>& candidates) {
  buckets.candidates(target.x, target.y, candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (const CellHit hit = testAuxCell(m, cell.a, cell.b, cell.c, target); hit.found)
      return {cell.tag, cell.a, cell.b, cell.c, hit};
  }
  return {};
}

} // namespace

std::optional<SetupProblem> findMainGridLinks(const CouplingState& m, ProgressObserver& progress,
                                              int cFirst, int cLast, CellScan scan) {
  const int overflow = capacitiesAt(finenessOfGrids(m.grids)).mainLinks + 1;
  progress.setProgressRange(1, m.grids.mainNx);
  int count = 0;

  CellBuckets buckets;
  std::vector<int> candidates;
  if (scan == CellScan::bucketed) indexDonorCells(m, cFirst, cLast, buckets);

  for (int i = 1; i <= m.grids.mainNx; ++i)
    for (int j = 1; j <= m.grids.mainNy; ++j) {
      progress.checkpoint();
      progress.setProgressPosition(i);
      if (m.run.stopFlag) goto done;
      const PlanePoint target{m.grids.mainGrid[i][j].mainGridX, m.grids.mainGrid[i][j].mainGridY};
      const Donor d = scan == CellScan::plain ? plainDonor(m, target, cFirst, cLast)
                                              : bucketedDonor(m, target, buckets, candidates);
      if (d.body == 0) continue;
      ++count;
      if (count >= overflow) goto done;
      storeListEntry(m.coupling.mainFromBody, count,
                     Link{{0, i, j, d.body}, {0, d.p, d.r, d.c}, d.hit.s, d.hit.t});
    }
done:
  if (count >= overflow) {
    m.run.stopFlag = true;
    return SetupProblem{SetupProblem::Kind::tooManyMainGridLinks, {count}};
  }
  m.coupling.mainFromBodyCount = count;
  m.coupling.mainFromBody.resize(std::size_t(count) + 1);
  return std::nullopt;
}
