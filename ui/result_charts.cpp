#include "ui/result_charts.h"

#include "gui/window_text.h"
#include "ui/surface_window_texts.h"

#include <QValueAxis>

#include <algorithm>

QStringList bodyNames(const LayoutParameters& layout) {
  QStringList names;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k)
      names << text(SurfaceWindowText::bodyItem).arg(names.size() + 1).arg(c).arg(k);
  return names;
}

void fitValueAxis(QValueAxis* axis, double low, double high) {
  const double room = std::max(0.05 * (high - low), 1e-3);
  axis->setRange(low - room, high + room);
  axis->applyNiceNumbers();
}
