#include "view/vectors.h"

#include "view/colour_scale.h"
#include "view/outline.h"
#include "view/transform.h"
#include "view/view_texts.h"

#include <cmath>

namespace {

// The colour of an arrow of magnitude s: red, unless s lies in one of the 20
// bins below scaleHigh; every bin is tested, so on a shared edge the lower bin
// wins, and the arrow takes the colour of its bin's lower edge.
void arrowColour(const ViewState& view, DrawingSurface& bitmap, double s, double bin) {
  bitmap.setPen(kRed);
  double upper = view.scaleHigh, lower = view.scaleHigh - bin;
  for (int k = 1; k <= 20; ++k) {
    if (lower <= s && s <= upper) setScaleBrush(view, bitmap, lower);
    upper = upper - bin;
    lower = lower - bin;
  }
}

// Shaft from the base (x, y) to the tip (x + 60u, y - 60v), and two barbs of
// 3·√2 pixels at 45 degrees either side, pointing back from the tip.
void arrow(DrawingSurface& bitmap, double x, double y, double u, double v, double s) {
  const double tx = x + 60 * u, ty = y - 60 * v;
  const double hu = 3 * u / s, hv = 3 * v / s;
  bitmap.moveTo(roundHalfAway(x), roundHalfAway(y));
  bitmap.lineTo(roundHalfAway(tx), roundHalfAway(ty));
  bitmap.moveTo(roundHalfAway(tx - hu + hv), roundHalfAway(ty + hv + hu));
  bitmap.lineTo(roundHalfAway(tx), roundHalfAway(ty));
  bitmap.lineTo(roundHalfAway(tx - hu - hv), roundHalfAway(ty + hv - hu));
}

} // namespace

PlotCaption drawVelocityVectors(const LayoutParameters& layout, const Grids& grids,
                                const GridPixels& pixels, const FlowSolution& solution,
                                const ViewState& view, DrawingSurface& bitmap, int mode) {
  const double bin = (view.scaleHigh - view.scaleLow) / 20;
  fillWhite(bitmap);

  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j) {
      const double u = solution.mainFlow[i][j][slot::u], v = solution.mainFlow[i][j][slot::v];
      const double s = std::sqrt(u * u + v * v);
      if (!std::isfinite(s) || s < 1e-10) continue;
      arrowColour(view, bitmap, s, bin);
      arrow(bitmap, pixels.main[i][j].x, pixels.main[i][j].y, u, v, s);
    }

  if (mode != 2)
    for (int b = 1; b <= grids.nBodies; ++b)
      for (int r = 1; r <= layout.bodyLayers; ++r)
        for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p) {
          const double u = solution.bodyFlow[p][r][1][slot::u],
                       v = solution.bodyFlow[p][r][1][slot::v];
          const double s = std::sqrt(u * u + v * v) + 1e-5;
          if (!std::isfinite(s)) continue;
          arrowColour(view, bitmap, s, bin);
          arrow(bitmap, pixels.body[p][r][1].x, pixels.body[p][r][1].y, u, v, s);
        }

  maskBodiesAndWalls(layout, grids, pixels, bitmap);
  return {&kTextVelocityVectors, false};
}
