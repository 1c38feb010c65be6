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
void arrowColour(Model& m, DrawingSurface& bitmap, double s, double bin) {
  bitmap.setPen(kRed);
  double upper = m.scaleHigh, lower = m.scaleHigh - bin;
  for (int k = 1; k <= 20; ++k) {
    if (lower <= s && s <= upper) setScaleBrush(m, bitmap, lower);
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

PlotCaption drawVelocityVectors(Model& m, DrawingSurface& bitmap, int mode) {
  const double bin = (m.scaleHigh - m.scaleLow) / 20;
  fillWhite(bitmap);

  for (int i = 1; i <= m.mainNx; ++i)
    for (int j = 1; j <= m.mainNy; ++j) {
      const double u = m.mainFlow[i][j][slot::u], v = m.mainFlow[i][j][slot::v];
      const double s = std::sqrt(u * u + v * v);
      if (!std::isfinite(s) || s < 1e-10) continue;
      arrowColour(m, bitmap, s, bin);
      arrow(bitmap, m.mainGrid[i][j].mainGridPixX, m.mainGrid[i][j].mainGridPixY, u, v, s);
    }

  if (mode != 2)
    for (int b = 1; b <= m.nBodies; ++b)
      for (int r = 1; r <= m.bodyLayers; ++r)
        for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
          const double u = m.bodyFlow[p][r][1][slot::u], v = m.bodyFlow[p][r][1][slot::v];
          const double s = std::sqrt(u * u + v * v) + 1e-5;
          if (!std::isfinite(s)) continue;
          arrowColour(m, bitmap, s, bin);
          arrow(bitmap, m.bodyGrid[p][r][1].bodyGridPixX, m.bodyGrid[p][r][1].bodyGridPixY, u, v,
                s);
        }

  maskBodiesAndWalls(m, bitmap);
  return {&kTextVelocityVectors, false};
}
