#include "layout/grid_making.h"

#include "core/extremes.h"
#include "layout/body_layering.h"
#include "layout/body_table.h"
#include "layout/channel_extent.h"
#include "layout/layout_editing.h"
#include "layout/outlines.h"
#include "layout/overlaps.h"

#include <algorithm>
#include <cmath>

namespace {

struct MainGridExtent {
  double x0, y0;
  int nx, ny;
};

// The main grid's reach, in layout units: it begins kUpstreamMargin upstream
// of the most upstream body surface, reaches kSideMargin below the lowest and
// above the highest surface, and ends at x = kDownstreamEnd whatever the
// layout, so a body beyond that end keeps its auxiliary grid but no main grid
// behind it.
constexpr double kUpstreamMargin = 70;
constexpr double kSideMargin = 8;
constexpr double kDownstreamEnd = 155;
// The search for the lowest x and y starts from kLowSearchStart and the one
// for the highest y from kHighSearchStart, so the start value stays where no
// surface passes it: with every surface below y = 0 the grid still reaches up
// to y = kSideMargin.
constexpr double kLowSearchStart = 200;
constexpr double kHighSearchStart = 0;

// Only the surface layer counts for the extent, not the auxiliary grids'
// outer layers.  An explicit channel sets the extent itself.
MainGridExtent mainGridExtent(const LayoutParameters& layout, const Grids& grids) {
  if (layout.channel.sized) {
    const MainGridSpan s = sizedChannelSpan(layout, grids, grids.mainSpacing);
    return {s.x0, s.y0, s.nx, s.ny};
  }
  double xmin = kLowSearchStart, ymin = kLowSearchStart, ymax = kHighSearchStart;
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p) {
      const AuxPoint& q = grids.bodyGrid[p][layout.bodyLayers][1];
      xmin = minOf(xmin, q.bodyGridX);
      ymin = minOf(ymin, q.bodyGridY);
      ymax = maxOf(ymax, q.bodyGridY);
    }
  const double x0 = xmin - kUpstreamMargin, x1 = kDownstreamEnd;
  const double y0 = ymin - kSideMargin, y1 = ymax + kSideMargin;
  const double h = grids.mainSpacing;
  return {x0, y0, static_cast<int>(std::trunc((x1 - x0) / h)) + 1,
          static_cast<int>(std::trunc((y1 - y0) / h)) + 1};
}

// The body grids' coordinates hold at least the indices 1..bodyPerimeterPoints + 1 of the
// layout being made, and keep every value they hold.
void sizeBodyGridCoordinates(const LayoutParameters& layout, Grids& grids) {
  grids.bodyGrid.resize(std::max(grids.bodyGrid.extent1(), grids.bodyPerimeterPoints + 2),
                        layout.bodyLayers + 1, kGridSets + 1);
}

void saveLayout(const LayoutParameters& layout, Grids& grids) {
  grids.lastFittedLayout = layout;
  grids.lastFittedFineness = grids.gridFineness;
  grids.lastFittedSpacing = grids.mainSpacing;
  grids.lastFittedWallRatio = grids.bodyWallRatio;
  grids.hasFittedLayout = true;
}

void restoreLayout(LayoutParameters& layout, Grids& grids) {
  layout = grids.lastFittedLayout;
  grids.gridFineness = grids.lastFittedFineness;
  grids.mainSpacing = grids.lastFittedSpacing;
  grids.bodyWallRatio = grids.lastFittedWallRatio;
}

// Everything of grid making up to the main grid: places the bodies, fills the
// body table and the perimeter ranges, makes each body's auxiliary grid with
// the outline maker of its shape and turns it about its own centre, then turns
// the whole arrangement about (x of the last column / 2, 0).
void buildBodiesAndAuxGrids(const LayoutParameters& layout, Grids& grids) {
  placeBodies(layout, grids);
  fillBodyTable(layout, grids);
  assignPerimeterRanges(grids);

  // Room for every perimeter index the outlines write (a refused layout may
  // leave more, kept until a layout is made).
  sizeBodyGridCoordinates(layout, grids);
  // Slots between two bodies' ranges belong to no maker but are turned with
  // the arrangement; clearing them first makes regenerations identical.
  for (int p = 1; p < grids.bodyGrid.extent1(); ++p)
    for (int r = 1; r <= layout.bodyLayers; ++r) {
      grids.bodyGrid[p][r][1].bodyGridX = 0;
      grids.bodyGrid[p][r][1].bodyGridY = 0;
    }

  int b = 0;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k) {
      ++b;
      const double x = grids.columnBody[c][k].columnBodyX;
      const double y = grids.columnBody[c][k].columnBodyY;
      grids.body[b].bodyX = x;
      grids.body[b].bodyY = y;
      const double s = layout.layoutSize[c][k];
      switch (layout.layoutShape[c][k]) {
      case shape::circle:
        makeCircleOutline(layout, grids, grids.bodyFirst[b], grids.bodyLast[b], x, y, s);
        break;
      case shape::square:
        makeSquareOutline(layout, grids, grids.bodyFirst[b], grids.bodyLast[b], x, y, s);
        break;
      case shape::triangle:
        makeTriangleOutline(layout, grids, grids.bodyFirst[b], grids.bodyLast[b], x, y, s);
        break;
      case shape::plate:
        makePlateOutline(layout, grids, grids.bodyFirst[b], grids.bodyLast[b], x, y, s);
        break;
      case shape::ellipse:
        makeEllipseOutline(layout, grids, grids.bodyFirst[b], grids.bodyLast[b], x, y, s);
        break;
      default:
        break;
      }
      // A positive layout angle turns the body clockwise.  Negated as a
      // double: the negation of the least int does not exist as an int.
      turnBodyGrid(layout, grids, b, x, y, -static_cast<double>(layout.layoutAngle[c][k]));
    }
  if (layout.nColumns >= 1)
    turnArrangementGrids(layout, grids, grids.columnBody[layout.nColumns][1].columnBodyX / 2, 0,
                         -layout.layoutRotation);
}

SetupProblem refuse(const GridMakingState& m, const SetupProblem& problem) {
  if (m.grids.hasFittedLayout) {
    // Put the parameters back and rebuild what the refused attempt overwrote;
    // grid making is deterministic, so this gives the previous grids again.
    restoreLayout(m.layout, m.grids);
    keepSelectionInLayout(m.editing, m.layout);
    buildBodiesAndAuxGrids(m.layout, m.grids);
    makeMainGrid(m.layout, m.grids, m.pixels, m.coupling, m.solution, m.scratch);
  }
  // The body grids now in bodyGrid (the previous ones, or with none before the
  // refused ones) keep their arrays' sizes fitted to them.
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                m.grids.bodyPerimeterPoints + 1);
  return problem;
}

} // namespace

void makeMainGrid(const LayoutParameters& layout, Grids& grids, GridPixels& pixels,
                  CouplingTables& coupling, FlowSolution& solution, SolverScratch& scratch) {
  const MainGridExtent g = mainGridExtent(layout, grids);
  grids.mainNx = g.nx;
  grids.mainNy = g.ny;
  sizeMainGrid(grids, pixels, coupling, solution, scratch, g.nx, g.ny);
  setOutletRows(layout, grids);
  // Coordinates are running sums, one spacing added per column or row.
  double x = g.x0;
  for (int i = 1; i <= grids.mainNx; ++i) {
    for (int j = 1; j <= grids.mainNy; ++j) grids.mainGrid[i][j].mainGridX = x;
    x = x + grids.mainSpacing;
  }
  double y = g.y0;
  for (int j = 1; j <= grids.mainNy; ++j) {
    for (int i = 1; i <= grids.mainNx; ++i) grids.mainGrid[i][j].mainGridY = y;
    y = y + grids.mainSpacing;
  }
}

bool rebuildGrids(const GridMakingState& m) {
  return !makeGrids(m);
}

LayoutRefusal refusalOf(const std::optional<SetupProblem>& problem) {
  if (!problem) return LayoutRefusal::none;
  const bool overlap = problem->kind == SetupProblem::Kind::bodiesOverlap ||
                       problem->kind == SetupProblem::Kind::bodyOutsideChannel ||
                       problem->kind == SetupProblem::Kind::bodyNearChannelEdge;
  return overlap ? LayoutRefusal::overlap : LayoutRefusal::capacity;
}

std::optional<SetupProblem> makeGrids(const GridMakingState& m) {
  using Kind = SetupProblem::Kind;
  // The grids' fineness: the main grid's spacing and the body grids' layers.
  const int f = std::clamp(m.flow.fineness, kFinenessLow, kFinenessHigh);
  const Capacities capacity = capacitiesAt(f);
  const BodyLayering layering = bodyLayering(m.layout, m.flow);
  m.grids.gridFineness = f;
  m.grids.mainSpacing = mainGridSpacing(m.layout, f);
  m.layout.bodyLayers = layering.layers;
  m.grids.bodyWallRatio = layering.wallRatio;
  // Every change of the number of columns ends here.
  keepSelectionInLayout(m.editing, m.layout);

  // The perimeter total follows from the parameters alone: check it before
  // anything is written.
  const int needed = requiredPerimeterIndex(m.layout, f);
  if (needed > capacity.perimeter)
    return refuse(m, {Kind::tooManyPerimeterPoints, {needed, capacity.perimeter}});

  buildBodiesAndAuxGrids(m.layout, m.grids);

  // The main grid's size follows from the turned body surfaces or the given
  // channel: check it before the main grid is written.
  const MainGridExtent g = mainGridExtent(m.layout, m.grids);
  const int nxLimit =
      m.layout.channel.sized ? sizedChannelNxCapacity(capacity, g.ny) : capacity.mainNx;
  if (g.nx > nxLimit || g.ny > capacity.mainNy)
    return refuse(m, {Kind::tooManyMainPoints, {g.nx, g.ny, nxLimit, capacity.mainNy}});

  // Bodies that overlap each other or reach out of the channel the main
  // grid would span.
  const ChannelBox channel{g.x0, g.y0, g.x0 + (g.nx - 1) * m.grids.mainSpacing,
                           g.y0 + (g.ny - 1) * m.grids.mainSpacing};
  if (const std::optional<LayoutOverlap> overlap = findOverlap(m.layout, m.grids, channel)) {
    const int c1 = overlap->first.column, k1 = overlap->first.body;
    return refuse(m, overlap->second
                         ? SetupProblem{Kind::bodiesOverlap,
                                        {c1, k1, overlap->second->column, overlap->second->body}}
                         : SetupProblem{Kind::bodyOutsideChannel, {c1, k1}});
  }
  if (m.layout.channel.sized)
    if (const std::optional<BodyPlace> near = bodyTooNearChannelEdge(m.layout, m.grids, channel)) {
      SetupProblem problem{Kind::bodyNearChannelEdge, {near->column, near->body}};
      problem.length = m.layout.bodyGridThickness;
      return refuse(m, problem);
    }

  makeMainGrid(m.layout, m.grids, m.pixels, m.coupling, m.solution, m.scratch);
  sizeBodyGrids(m.layout, m.grids, m.pixels, m.solution, m.scratch,
                m.grids.bodyPerimeterPoints + 1);
  saveLayout(m.layout, m.grids);
  m.view.particleState = 1;
  m.run.stepsDone = 1;
  m.solution.flowStep = 0; // the flow, if any, was computed on other grids
  return std::nullopt;
}
