#include "coupling/main_grid_links.h"

#include "coupling/cell_search.h"
#include "coupling/coupling_texts.h"

#include <string>
#include <vector>

namespace {

// The donor layers of the main-grid receivers: cells of layers 7..bodyLayers−1.
constexpr int kFirstDonorLayer = 7;

// First hit over every cell, in scan order; returns the donor body or 0.
int plainDonor(Model& m, int cFirst, int cLast) {
  for (int c = cFirst; c <= cLast; ++c)
    for (int b = 1; b <= m.nBodies; ++b)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b] - 1; ++p)
        for (int r = kFirstDonorLayer; r <= m.bodyLayers - 1; ++r)
          if (testAuxCell(m, p, r, c)) return b;
  return 0;
}

void indexDonorCells(Model& m, int cFirst, int cLast, CellBuckets& buckets) {
  buckets.clear();
  for (int c = cFirst; c <= cLast; ++c)
    for (int b = 1; b <= m.nBodies; ++b)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b] - 1; ++p)
        for (int r = kFirstDonorLayer; r <= m.bodyLayers - 1; ++r) {
          const AuxPoint& q1 = m.bodyGrid[p][r][c];
          const AuxPoint& q3 = m.bodyGrid[p + 1][r + 1][c];
          buckets.add(CellBuckets::reference(q1.bodyGridX, q3.bodyGridX),
                      CellBuckets::reference(q1.bodyGridY, q3.bodyGridY), {p, r, c, b});
        }
  buckets.build();
}

// First hit over the candidate cells, in scan order; returns the donor body or 0.
int bucketedDonor(Model& m, const CellBuckets& buckets, std::vector<int>& candidates) {
  buckets.candidates(m.searchX[6], m.searchY[6], candidates);
  for (int k : candidates) {
    const CellBuckets::Cell& cell = buckets.cell(k);
    if (testAuxCell(m, cell.a, cell.b, cell.c)) return cell.tag;
  }
  return 0;
}

} // namespace

void findMainGridLinks(Model& m, WindowServices& ws, int cFirst, int cLast, CellScan scan) {
  constexpr int overflow = kMainLinkCapacity + 1;
  ws.setProgressRange(1, m.mainNx);
  int count = 0;

  CellBuckets buckets;
  std::vector<int> candidates;
  if (scan == CellScan::bucketed) indexDonorCells(m, cFirst, cLast, buckets);

  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) {
      ws.processPendingMessages();
      ws.setProgressPosition(i);
      if (m.stopFlag) goto done;
      setSearchTarget(m, m.mainGrid[i][j].mainGridX, m.mainGrid[i][j].mainGridY);
      const int body = scan == CellScan::plain ? plainDonor(m, cFirst, cLast)
                                               : bucketedDonor(m, buckets, candidates);
      if (body == 0) continue;
      ++count;
      if (count >= overflow) goto done;
      m.mainFromBody[count] = {{0, i, j, body}, {0, m.hitA, m.hitB, m.hitC}, m.hitS, m.hitT};
    }
done:
  if (count >= overflow) {
    ws.showMessage(couplingText::tooLargeR1(ws.language(), {std::to_string(count)}));
    m.stopFlag = true;
  } else {
    m.mainFromBodyCount = count;
  }
}
