#include "view/colour_legend.h"

#include "view/colour_scale.h"

ColourLegend mapLegend(const ViewState& view, LegendQuantity quantity) {
  ColourLegend legend;
  legend.quantity = quantity;
  legend.scaleLow = view.scaleLow;
  legend.scaleHigh = view.scaleHigh;
  for (int k = 10; k >= 0; --k)
    legend.rows[legend.rowCount++] = {
        view.levelValue[k], scaleColour(view.scaleLow, view.scaleHigh, view.levelValue[k])};
  return legend;
}

ColourLegend vectorLegend(const ViewState& view) {
  ColourLegend legend;
  legend.quantity = LegendQuantity::vectors;
  legend.scaleLow = view.scaleLow;
  legend.scaleHigh = view.scaleHigh;
  legend.rows[legend.rowCount++] = {view.scaleHigh, kRed};
  // The bins of drawVelocityVectors: the edges are kept by subtracting the width
  // once per bin, and a bin takes the colour of its lower edge.
  const double bin = (view.scaleHigh - view.scaleLow) / 20;
  double lower = view.scaleHigh;
  for (int k = 1; k <= 20; ++k) {
    lower = lower - bin;
    legend.rows[legend.rowCount++] = {lower, scaleColour(view.scaleLow, view.scaleHigh, lower)};
  }
  return legend;
}
