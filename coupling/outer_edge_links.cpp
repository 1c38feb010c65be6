#include "coupling/outer_edge_links.h"

#include "coupling/cell_search.h"
#include "coupling/coupling_texts.h"

#include <string>
#include <vector>

namespace {

// The donor layers of another body's grid: cells of layers 5..bodyLayers−1.
constexpr int kFirstDonorLayer = 5;
constexpr int kInnerHoleSlot = 9;

// First hit among the other bodies' cells, in scan order.
bool plainAuxDonor(Model& m, int ownBody) {
  for (int b2 = 1; b2 <= m.nBodies; ++b2) {
    if (b2 == ownBody) continue;
    for (int r2 = kFirstDonorLayer; r2 <= m.bodyLayers - 1; ++r2)
      for (int p2 = m.bodyFirst[b2]; p2 <= m.bodyLast[b2] - 1; ++p2)
        if (testAuxCell(m, p2, r2, 1)) return true;
  }
  return false;
}

// First hit among the main-grid cells, in scan order.
bool plainMainDonor(Model& m) {
  for (int j = 1; j <= m.mainNy - 1; ++j)
    for (int i = 1; i <= m.mainNx - 1; ++i)
      if (isMainDonorCandidate(m, i, j) && testMainCell(m, i, j)) return true;
  return false;
}

void indexAuxCells(Model& m, CellBuckets& buckets) {
  buckets.clear();
  for (int b2 = 1; b2 <= m.nBodies; ++b2)
    for (int r2 = kFirstDonorLayer; r2 <= m.bodyLayers - 1; ++r2)
      for (int p2 = m.bodyFirst[b2]; p2 <= m.bodyLast[b2] - 1; ++p2) {
        const AuxPoint& q1 = m.bodyGrid[p2][r2][1];
        const AuxPoint& q3 = m.bodyGrid[p2 + 1][r2 + 1][1];
        buckets.add(CellBuckets::reference(q1.bodyGridX, q3.bodyGridX),
                    CellBuckets::reference(q1.bodyGridY, q3.bodyGridY), {p2, r2, 1, b2});
      }
  buckets.build();
}

void indexMainCells(Model& m, CellBuckets& buckets) {
  buckets.clear();
  for (int j = 1; j <= m.mainNy - 1; ++j)
    for (int i = 1; i <= m.mainNx - 1; ++i) {
      if (!isMainDonorCandidate(m, i, j)) continue;
      const MainPoint& q1 = m.mainGrid[i][j];
      const MainPoint& q3 = m.mainGrid[i + 1][j + 1];
      buckets.add(CellBuckets::reference(q1.mainGridX, q3.mainGridX),
                  CellBuckets::reference(q1.mainGridY, q3.mainGridY), {i, j, 1, 0});
    }
  buckets.build();
}

bool bucketedAuxDonor(Model& m, int ownBody, const CellBuckets& buckets,
                      std::vector<int>& candidates) {
  buckets.candidates(m.searchX[6], m.searchY[6], candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (cell.tag != ownBody && testAuxCell(m, cell.a, cell.b, cell.c)) return true;
  }
  return false;
}

bool bucketedMainDonor(Model& m, const CellBuckets& buckets, std::vector<int>& candidates) {
  buckets.candidates(m.searchX[6], m.searchY[6], candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (testMainCell(m, cell.a, cell.b)) return true;
  }
  return false;
}

Link linkFromHit(const Model& m, int p) {
  return {{0, p, 1, 1}, {0, m.hitA, m.hitB, m.hitC}, m.hitS, m.hitT};
}

} // namespace

bool isMainDonorCandidate(const Model& m, int i, int j) {
  return m.mainFlow[i][j][kInnerHoleSlot] * m.mainFlow[i][j + 1][kInnerHoleSlot] *
             m.mainFlow[i + 1][j][kInnerHoleSlot] * m.mainFlow[i + 1][j + 1][kInnerHoleSlot] ==
         0;
}

void findOuterEdgeLinks(Model& m, WindowServices& ws, CellScan scan) {
  ws.setProgressRange(1, m.nBodies);
  int countBody = 0, countMain = 0;

  CellBuckets auxBuckets, mainBuckets;
  std::vector<int> candidates;
  if (scan == CellScan::bucketed && !m.stopFlag) {
    indexAuxCells(m, auxBuckets);
    indexMainCells(m, mainBuckets);
  }

  for (int b = 1; b <= m.nBodies; ++b)
    for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
      ws.processPendingMessages();
      if (m.stopFlag) goto checks;
      ws.setProgressPosition(b);
      setSearchTarget(m, m.bodyGrid[p][1][1].bodyGridX, m.bodyGrid[p][1][1].bodyGridY);

      const bool fromAux = scan == CellScan::plain ? plainAuxDonor(m, b)
                                                   : bucketedAuxDonor(m, b, auxBuckets, candidates);
      if (fromAux) {
        ++countBody;
        if (countBody <= kAuxLinkCapacity) m.bodyFromBody[countBody] = linkFromHit(m, p);
        continue;
      }
      const bool fromMain = scan == CellScan::plain ? plainMainDonor(m)
                                                    : bucketedMainDonor(m, mainBuckets, candidates);
      if (fromMain) {
        ++countMain;
        if (countMain <= kMainLinkCapacity) m.bodyFromMain[countMain] = linkFromHit(m, p);
      }
    }
checks:
  if (countMain > kMainLinkCapacity) {
    ws.showMessage(couplingText::tooLargeR2(ws.language(), {std::to_string(countMain)}));
    m.stopFlag = true;
  } else {
    m.bodyFromMainCount = countMain;
  }
  if (countBody > kAuxLinkCapacity) {
    ws.showMessage(couplingText::tooLargeR22(ws.language(), {std::to_string(countBody)}));
    m.stopFlag = true;
  } else {
    m.bodyFromBodyCount = countBody;
  }
}
