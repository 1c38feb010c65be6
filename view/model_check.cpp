#include "view/model_check.h"

#include "view/outline.h"
#include "view/transform.h"
#include "view/view_texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The bilinear weights of a link on the corners (a, b), (a+1, b), (a+1, b+1),
// (a, b+1) of its donor cell.
struct Weights {
  double w[4];
  explicit Weights(const Link& l)
      : w{(1 - l.s) * (1 - l.t), l.s * (1 - l.t), l.s * l.t, (1 - l.s) * l.t} {}
  template <typename ValueAt> double apply(ValueAt corner) const {
    return w[0] * corner(0) + w[1] * corner(1) + w[2] * corner(2) + w[3] * corner(3);
  }
};

constexpr int kCornerDa[4] = {0, 1, 1, 0}, kCornerDb[4] = {0, 0, 1, 1};

// Donor cells whose corners lie outside the arrays are not drawn.
bool auxCellInside(const Grids& grids, const std::array<int, 4>& d) {
  return d[1] >= 1 && d[1] + 1 < grids.bodyGrid.extent1() && d[2] >= 1 &&
         d[2] + 1 < grids.bodyGrid.extent2() && d[3] >= 1 && d[3] < grids.bodyGrid.extent3();
}
bool mainCellInside(const Grids& grids, const std::array<int, 4>& d) {
  return d[1] >= 1 && d[1] + 1 < grids.mainGrid.extent1() && d[2] >= 1 &&
         d[2] + 1 < grids.mainGrid.extent2();
}

// Corner k (0..3) of the donor cell of a link.
const AuxPoint& auxCorner(const Grids& grids, const Link& l, int k) {
  return grids.bodyGrid[l.donor[1] + kCornerDa[k]][l.donor[2] + kCornerDb[k]][l.donor[3]];
}
const PixelPosition& auxCornerPixel(const GridPixels& pixels, const Link& l, int k) {
  return pixels.body[l.donor[1] + kCornerDa[k]][l.donor[2] + kCornerDb[k]][l.donor[3]];
}
const PixelPosition& mainCornerPixel(const GridPixels& pixels, const Link& l, int k) {
  return pixels.main[l.donor[1] + kCornerDa[k]][l.donor[2] + kCornerDb[k]];
}

PixelPoint auxDonorPixel(const GridPixels& pixels, const Link& l, const Weights& w) {
  return {roundHalfAway(w.apply([&](int k) { return auxCornerPixel(pixels, l, k).x; })),
          roundHalfAway(w.apply([&](int k) { return auxCornerPixel(pixels, l, k).y; }))};
}

void cross(DrawingSurface& bitmap, PixelPoint p, int size) {
  drawCross(bitmap, p.x, p.y, size);
}

} // namespace

LinkCheck drawLinkPoints(const Grids& grids, const GridPixels& pixels,
                         const CouplingTables& coupling, DrawingSurface& bitmap, int mode) {
  // Layout units; a sound link misses by about 1e-14, a grid step is 1.25.
  constexpr double kTolerance = 1e-6;
  LinkCheck check;
  bitmap.setPen(kRed);
  for (int n = 1; n <= std::min(coupling.mainFromBodyCount, int(coupling.mainFromBody.size()) - 1);
       ++n) {
    const Link& l = coupling.mainFromBody[n];
    if (!auxCellInside(grids, l.donor)) continue;
    const Weights w(l);
    cross(bitmap, auxDonorPixel(pixels, l, w), 2);
    const double x = w.apply([&](int k) { return auxCorner(grids, l, k).bodyGridX; });
    const double y = w.apply([&](int k) { return auxCorner(grids, l, k).bodyGridY; });
    const auto& r = l.receiver;
    const bool receiverInside = r[1] >= 1 && r[1] < grids.mainGrid.extent1() && r[2] >= 1 &&
                                r[2] < grids.mainGrid.extent2();
    const bool reproduced = receiverInside &&
                            std::abs(x - grids.mainGrid[r[1]][r[2]].mainGridX) <= kTolerance &&
                            std::abs(y - grids.mainGrid[r[1]][r[2]].mainGridY) <= kTolerance;
    if (!reproduced && check.failed++ == 0) check.firstDonor = l.donor;
  }

  bitmap.setPen(kBlue);
  for (int n = 1; n <= std::min(coupling.bodyFromMainCount, int(coupling.bodyFromMain.size()) - 1);
       ++n) {
    const Link& l = coupling.bodyFromMain[n];
    if (!mainCellInside(grids, l.donor)) continue;
    const Weights w(l);
    const PixelPoint p = {
        roundHalfAway(w.apply([&](int k) { return mainCornerPixel(pixels, l, k).x; })),
        roundHalfAway(w.apply([&](int k) { return mainCornerPixel(pixels, l, k).y; }))};
    cross(bitmap, p, 7);
    if (mode != 0) cross(bitmap, p, 7);
  }

  bitmap.setPen(kGreen);
  for (int n = 1; n <= std::min(coupling.bodyFromBodyCount, int(coupling.bodyFromBody.size()) - 1);
       ++n) {
    const Link& l = coupling.bodyFromBody[n];
    if (!auxCellInside(grids, l.donor)) continue;
    cross(bitmap, auxDonorPixel(pixels, l, Weights(l)), 3);
  }
  return check;
}

bool linksBelongToGrids(const LayoutParameters& layout, const CouplingTables& coupling) {
  return coupling.linkedLayout == layout;
}

void meshView(const LayoutParameters& layout, const Grids& grids, ViewState& view,
              GridPixels& pixels, ViewSurfaces& s) {
  fillWhite(s.bitmap);
  placeLayoutOnBitmap(layout, grids, view, pixels, s.bitmap);
  drawBodyGridLines(layout, grids, pixels, s.bitmap);
  drawMainGridLines(grids, pixels, s.bitmap);
  s.copyBitmapToWindow();
}

LinkViewFinding linkView(const LayoutParameters& layout, const Grids& grids,
                         const GridPixels& pixels, const CouplingTables& coupling,
                         ViewSurfaces& s) {
  fillWhite(s.bitmap);
  const bool anyLinks = coupling.mainFromBodyCount > 0 || coupling.bodyFromMainCount > 0 ||
                        coupling.bodyFromBodyCount > 0;
  if (anyLinks && !linksBelongToGrids(layout, coupling)) {
    s.copyBitmapToWindow();
    return {true, {}};
  }
  const LinkCheck check = drawLinkPoints(grids, pixels, coupling, s.bitmap, 1);
  s.copyBitmapToWindow();
  return {false, check};
}

std::optional<std::string> linkViewMessage(const LinkViewFinding& finding, Language language) {
  if (finding.otherGrids) return kTextLinksOfOtherGrids(language);
  if (finding.check.failed == 0) return std::nullopt;
  const auto& d = finding.check.firstDonor;
  return kTextLinkCheck(
      language, {std::to_string(d[1]) + "-" + std::to_string(d[2]) + "-" + std::to_string(d[3]),
                 std::to_string(finding.check.failed)});
}

void holeView(const Grids& grids, const GridPixels& pixels, const CouplingTables& coupling,
              ViewSurfaces& s) {
  fillWhite(s.bitmap);
  for (int n = 1; n <= std::min(coupling.mainHoleCount, int(coupling.mainHoleList.size()) - 1);
       ++n) {
    const GridIndex h = coupling.mainHoleList[n];
    if (h.i < 1 || h.i >= grids.mainGrid.extent1() || h.j < 1 || h.j >= grids.mainGrid.extent2())
      continue;
    s.bitmap.setPen(kCyan);
    drawCross(s.bitmap, roundHalfAway(pixels.main[h.i][h.j].x),
              roundHalfAway(pixels.main[h.i][h.j].y), 2);
  }
  s.copyBitmapToWindow();
}

void unfilledReceiverView(ViewSurfaces& s) {
  fillWhite(s.bitmap);
  s.bitmap.setPen(kRed);
  s.copyBitmapToWindow();
}
