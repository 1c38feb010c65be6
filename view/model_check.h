// The model-check views of the menu "モデル確認": the numerical model itself
// rather than the flow.  Each fills the view bitmap white, draws its marks and
// copies the bitmap to the window.  Except for the mesh view they use the
// pixel positions of the last placeLayoutOnBitmap, so they mean something only after
// a run has built the links and holes and the view has not moved since.
#pragma once

#include "core/messages.h"
#include "core/model.h"
#include "view/surfaces.h"

#include <array>
#include <optional>
#include <string>

// "メッシュ" (onMeshViewChosen): placeLayoutOnBitmap, every auxiliary grid line, every
// main-grid line, black.
void meshView(const LayoutParameters& layout, const Grids& grids, ViewState& view,
              GridPixels& pixels, ViewSurfaces& s);

// The check of the main-grid links (mainFromBody): how many do not reproduce
// their receiver and the donor cell (p, r, grid set) of the first.
struct LinkCheck {
  int failed = 0;
  std::array<int, 4> firstDonor{};
};

// What the link view found: link lists made for another layout's grids (the
// layout changed since the last set-up), which are neither drawn nor
// checked, or else the check of the links drawn.
struct LinkViewFinding {
  bool otherGrids = false;
  LinkCheck check;
};

// "BY_L_R１　主←補助" (onLinkViewChosen): drawLinkPoints(1) and the check of its
// main-grid links.
LinkViewFinding linkView(const LayoutParameters& layout, const Grids& grids,
                         const GridPixels& pixels, const CouplingTables& coupling, ViewSurfaces& s);

// The one message the window shows for a finding of the link view: that the
// links belong to other grids, or how many failed and the first one's donor
// cell; none when every link passed.
std::optional<std::string> linkViewMessage(const LinkViewFinding& finding, Language language);

// Whether the link lists were made for the grids of the present layout.
bool linksBelongToGrids(const LayoutParameters& layout, const CouplingTables& coupling);

// "穴－領域" (onHoleViewChosen): a cyan cross of half-size 2 on every hole point of the
// main grid, in list order.
void holeView(const Grids& grids, const GridPixels& pixels, const CouplingTables& coupling,
              ViewSurfaces& s);

// "穴－領域-2" (onUnfilledReceiverViewChosen): red crosses on the points of a receiver list that
// no part of the program fills: a white picture, pen red.
void unfilledReceiverView(ViewSurfaces& s);

// drawLinkPoints: one cross per interpolation link, at its donor
// position interpolated in pixels, Σ weight_k · pixel of corner k, rounded:
// red crosses of half-size 2 for the main-grid receivers (mainFromBody), blue of
// size 7 for the auxiliary receivers fed by the main grid (bodyFromMain; drawn
// twice when mode is nonzero), green of size 3 for those fed by another body
// (bodyFromBody).  A mainFromBody link fails the check when its donor position,
// interpolated in model coordinates, is not its receiver's point of the main
// grid (a donor cell whose coordinates were never filled lands at the origin).
// The interpolation of a sound link reproduces the receiver to rounding, so
// the tolerance is far above rounding and far below the grid spacing.
LinkCheck drawLinkPoints(const Grids& grids, const GridPixels& pixels,
                         const CouplingTables& coupling, DrawingSurface& bitmap, int mode);
