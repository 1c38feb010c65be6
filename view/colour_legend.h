// The colour legend of the picture on screen: which quantity a map or the
// vector plot shows, and its colours in order with their values, taken from
// the colour scale the plot was drawn with.  The window and the picture
// export draw it beside the view bitmap, never into it.
#pragma once

#include "core/model.h"
#include "view/surface.h"

#include <array>

enum class LegendQuantity { none, vectors, vorticity, pressure, density };

struct ColourLegend {
  struct Row {
    double value; // the level, or the lower edge of a speed bin
    Colour colour;
  };
  LegendQuantity quantity = LegendQuantity::none;
  double scaleLow = 0, scaleHigh = 0;
  // Rows from the top of the scale down.  Maps: the eleven levels
  // levelValue[10] .. levelValue[0], each in its ramp colour.  Vectors: the
  // twenty speed bins from the fastest down, each with its lower edge and
  // the colour drawVelocityVectors gives it, after a first red row for the speeds
  // above scaleHigh (its value is scaleHigh).
  std::array<Row, 21> rows{};
  int rowCount = 0;
};

// The legend of a contour map drawn with the current scale (levelValue,
// scaleLow, scaleHigh).
ColourLegend mapLegend(const ViewState& view, LegendQuantity quantity);
// The legend of the vector plot drawn with the current speed scale.
ColourLegend vectorLegend(const ViewState& view);
