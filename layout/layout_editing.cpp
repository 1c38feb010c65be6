#include "layout/layout_editing.h"

#include <algorithm>

int steppedSize(long long typed, int delta) {
  return kSizeRange.clamp(typed + delta);
}

std::optional<int> steppedTurn(long long typed, int delta) {
  const long long v = typed + delta;
  if (!kTurnRange.contains(v)) return std::nullopt;
  return static_cast<int>(v);
}

int steppedSpacing(int spacing, int delta, bool wholeLayout) {
  const WholeRange& r = spacingRange(wholeLayout);
  // Each direction checks only the bound it moves toward.
  return delta > 0 ? std::min(r.high, spacing + delta) : std::max(r.low, spacing + delta);
}

double steppedRatio(double ratio, double delta) {
  return delta > 0 ? std::min(kRatioHigh, ratio + delta) : std::max(kRatioLow, ratio + delta);
}

void addBody(LayoutParameters& l, int c, int maxBodies) {
  const int old = l.columnBodies[c];
  const int n = std::min(maxBodies, old + 1);
  l.layoutSize[c][n] = l.layoutSize[c][old];
  l.layoutShape[c][n] = l.layoutShape[c][old];
  l.columnBodies[c] = n;
}

void removeBody(LayoutParameters& l, int c) {
  l.columnBodies[c] = std::max(1, l.columnBodies[c] - 1);
}

void addColumn(LayoutParameters& l, int maxColumns, int maxBodies) {
  const int old = l.nColumns;
  const int n = std::min(maxColumns, old + 1);
  l.nColumns = n;
  l.columnSpacing[n] = l.columnSpacing[old];
  for (int k = 1; k <= maxBodies; ++k) {
    l.layoutShape[n][k] = l.layoutShape[old][1];
    l.layoutSize[n][k] = l.layoutSize[old][1];
    l.layoutAngle[n][k] = l.layoutAngle[old][1];
  }
  if (old >= 2 && l.columnBodies[old] == l.columnBodies[old - 1])
    l.columnBodies[n] = l.columnBodies[old];
}

void removeColumn(LayoutEditing& editing, LayoutParameters& layout) {
  layout.nColumns = std::max(1, layout.nColumns - 1);
  keepSelectionInLayout(editing, layout);
}

void keepSelectionInLayout(LayoutEditing& editing, const LayoutParameters& layout) {
  editing.selectedColumn = std::clamp(editing.selectedColumn, 1, std::max(1, layout.nColumns));
}
