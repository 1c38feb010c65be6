#include "coupling/outer_edge_links.h"

#include "coupling/cell_search.h"
#include "layout/body_layering.h"

#include <vector>

namespace {

// The donor layers of another body's grid: cells of layers 5..bodyLayers−1
// of the classic grid, and from the same depth inward on finer ones (a
// layer index held at 5 would reach farther out at each refinement).
int firstDonorLayer(const CouplingState& m) {
  return layerAtClassicDepth(5, m.layout.bodyLayers, m.grids.bodyWallRatio,
                             finenessOfGrids(m.grids));
}
constexpr int kInnerHoleSlot = 9;

// A donor cell (a, b) of grid set 1 and the local coordinates; a = 0: none.
struct Donor {
  int a = 0, b = 0;
  CellHit hit;
};

// First hit among the other bodies' cells, in scan order.
Donor plainAuxDonor(const CouplingState& m, PlanePoint target, int ownBody) {
  const int rFirst = firstDonorLayer(m);
  for (int b2 = 1; b2 <= m.grids.nBodies; ++b2) {
    if (b2 == ownBody) continue;
    for (int r2 = rFirst; r2 <= m.layout.bodyLayers - 1; ++r2)
      for (int p2 = m.grids.bodyFirst[b2]; p2 <= m.grids.bodyLast[b2] - 1; ++p2)
        if (const CellHit hit = testAuxCell(m, p2, r2, 1, target); hit.found) return {p2, r2, hit};
  }
  return {};
}

// First hit among the main-grid cells, in scan order.
Donor plainMainDonor(const CouplingState& m, PlanePoint target) {
  for (int j = 1; j <= m.grids.mainNy - 1; ++j)
    for (int i = 1; i <= m.grids.mainNx - 1; ++i)
      if (isMainDonorCandidate(m.solution, i, j))
        if (const CellHit hit = testMainCell(m, i, j, target); hit.found) return {i, j, hit};
  return {};
}

void indexAuxCells(const CouplingState& m, CellBuckets& buckets) {
  buckets.clear();
  const int rFirst = firstDonorLayer(m);
  for (int b2 = 1; b2 <= m.grids.nBodies; ++b2)
    for (int r2 = rFirst; r2 <= m.layout.bodyLayers - 1; ++r2)
      for (int p2 = m.grids.bodyFirst[b2]; p2 <= m.grids.bodyLast[b2] - 1; ++p2) {
        const AuxPoint& q1 = m.grids.bodyGrid[p2][r2][1];
        const AuxPoint& q3 = m.grids.bodyGrid[p2 + 1][r2 + 1][1];
        buckets.add(CellBuckets::reference(q1.bodyGridX, q3.bodyGridX),
                    CellBuckets::reference(q1.bodyGridY, q3.bodyGridY), {p2, r2, 1, b2});
      }
  buckets.build();
}

void indexMainCells(const CouplingState& m, CellBuckets& buckets) {
  buckets.clear();
  for (int j = 1; j <= m.grids.mainNy - 1; ++j)
    for (int i = 1; i <= m.grids.mainNx - 1; ++i) {
      if (!isMainDonorCandidate(m.solution, i, j)) continue;
      const MainPoint& q1 = m.grids.mainGrid[i][j];
      const MainPoint& q3 = m.grids.mainGrid[i + 1][j + 1];
      buckets.add(CellBuckets::reference(q1.mainGridX, q3.mainGridX),
                  CellBuckets::reference(q1.mainGridY, q3.mainGridY), {i, j, 1, 0});
    }
  buckets.build();
}

Donor bucketedAuxDonor(const CouplingState& m, PlanePoint target, int ownBody,
                       const CellBuckets& buckets, std::vector<int>& candidates) {
  buckets.candidates(target.x, target.y, candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (cell.tag == ownBody) continue;
    if (const CellHit hit = testAuxCell(m, cell.a, cell.b, cell.c, target); hit.found)
      return {cell.a, cell.b, hit};
  }
  return {};
}

Donor bucketedMainDonor(const CouplingState& m, PlanePoint target, const CellBuckets& buckets,
                        std::vector<int>& candidates) {
  buckets.candidates(target.x, target.y, candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (const CellHit hit = testMainCell(m, cell.a, cell.b, target); hit.found)
      return {cell.a, cell.b, hit};
  }
  return {};
}

// The link of receiver (p, 1) of grid set 1 to its donor cell.
Link link(int p, const Donor& d) {
  return {{0, p, 1, 1}, {0, d.a, d.b, 1}, d.hit.s, d.hit.t};
}

} // namespace

bool isMainDonorCandidate(const FlowSolution& solution, int i, int j) {
  return solution.mainFlow[i][j][kInnerHoleSlot] * solution.mainFlow[i][j + 1][kInnerHoleSlot] *
             solution.mainFlow[i + 1][j][kInnerHoleSlot] *
             solution.mainFlow[i + 1][j + 1][kInnerHoleSlot] ==
         0;
}

std::vector<SetupProblem> findOuterEdgeLinks(const CouplingState& m, ProgressObserver& progress,
                                             CellScan scan) {
  progress.setProgressRange(1, m.grids.nBodies);
  int countBody = 0, countMain = 0;
  const Capacities capacity = capacitiesAt(finenessOfGrids(m.grids));

  CellBuckets auxBuckets, mainBuckets;
  std::vector<int> candidates;
  if (scan == CellScan::bucketed && !m.run.stopFlag) {
    indexAuxCells(m, auxBuckets);
    indexMainCells(m, mainBuckets);
  }

  for (int b = 1; b <= m.grids.nBodies; ++b)
    for (int p = m.grids.bodyFirst[b]; p <= m.grids.bodyLast[b]; ++p) {
      progress.checkpoint();
      if (m.run.stopFlag) goto checks;
      progress.setProgressPosition(b);
      const PlanePoint target{m.grids.bodyGrid[p][1][1].bodyGridX,
                              m.grids.bodyGrid[p][1][1].bodyGridY};

      const Donor aux = scan == CellScan::plain
                            ? plainAuxDonor(m, target, b)
                            : bucketedAuxDonor(m, target, b, auxBuckets, candidates);
      if (aux.a != 0) {
        ++countBody;
        if (countBody <= capacity.auxLinks)
          storeListEntry(m.coupling.bodyFromBody, countBody, link(p, aux));
        continue;
      }
      const Donor main = scan == CellScan::plain
                             ? plainMainDonor(m, target)
                             : bucketedMainDonor(m, target, mainBuckets, candidates);
      if (main.a != 0) {
        ++countMain;
        if (countMain <= capacity.mainLinks)
          storeListEntry(m.coupling.bodyFromMain, countMain, link(p, main));
      }
    }
checks:
  std::vector<SetupProblem> problems;
  if (countMain > capacity.mainLinks) {
    problems.push_back({SetupProblem::Kind::tooManyLinksFromMain, {countMain}});
    m.run.stopFlag = true;
  } else {
    m.coupling.bodyFromMainCount = countMain;
    m.coupling.bodyFromMain.resize(std::size_t(countMain) + 1);
  }
  if (countBody > capacity.auxLinks) {
    problems.push_back({SetupProblem::Kind::tooManyLinksFromBodies, {countBody}});
    m.run.stopFlag = true;
  } else {
    m.coupling.bodyFromBodyCount = countBody;
    m.coupling.bodyFromBody.resize(std::size_t(countBody) + 1);
  }
  return problems;
}
