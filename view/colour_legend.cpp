#include "view/colour_legend.h"

#include "view/colour_scale.h"

ColourLegend mapLegend(const Model& m, LegendQuantity quantity) {
  ColourLegend legend;
  legend.quantity = quantity;
  legend.scaleLow = m.view.scaleLow;
  legend.scaleHigh = m.view.scaleHigh;
  for (int k = 10; k >= 0; --k)
    legend.rows[legend.rowCount++] = {
        m.view.levelValue[k], scaleColour(m.view.scaleLow, m.view.scaleHigh, m.view.levelValue[k])};
  return legend;
}

ColourLegend vectorLegend(const Model& m) {
  ColourLegend legend;
  legend.quantity = LegendQuantity::vectors;
  legend.scaleLow = m.view.scaleLow;
  legend.scaleHigh = m.view.scaleHigh;
  legend.rows[legend.rowCount++] = {m.view.scaleHigh, kRed};
  // The bins of drawVelocityVectors: the edges are kept by subtracting the width
  // once per bin, and a bin takes the colour of its lower edge.
  const double bin = (m.view.scaleHigh - m.view.scaleLow) / 20;
  double lower = m.view.scaleHigh;
  for (int k = 1; k <= 20; ++k) {
    lower = lower - bin;
    legend.rows[legend.rowCount++] = {lower, scaleColour(m.view.scaleLow, m.view.scaleHigh, lower)};
  }
  return legend;
}
