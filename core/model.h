// The whole state of Whirlpane, in records by what lives how long (Model, at
// the end): the layout the user edits, the grids and body table derived from
// it, the coupling tables, the solver's constants, the flow result of a run,
// the run in progress, the solver's scratch, the view and where the grids'
// points fall on it.
//
// One Model object is created zero-filled when the program starts and is never
// reallocated.  Arrays are indexed as the formulas are, from 1: each array is
// one slot larger than its capacity, or than what the grids made need, and
// slot 0 is left unused (the colour levels, 0..10, are the one exception).
// The grids' arrays are sized when the grids are made; the capacities below
// stay the limits of a layout.
//
// Lengths are layout units (main-grid spacing mainSpacing = 1.25 / fineness, or
// the nearby spacing that lays a given channel's height on whole cells); the solver's unit
// of length is 16 layout units.  Angles are degrees, times milliseconds.
#pragma once

#include "core/channel_conditions.h"
#include "core/flow_conditions.h"
#include "core/grid_array.h"
#include "core/large_pages.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// ---------------------------------------------------------------- capacities
inline constexpr int kColumnSlots = 8;        // columns of bodies
inline constexpr int kBodySlotsPerColumn = 8; // bodies in one column
inline constexpr int kBodySlots = kColumnSlots * kBodySlotsPerColumn;
inline constexpr int kPerimeterCapacity = 1775; // auxiliary perimeter indices
inline constexpr int kLayerSlots = 12;          // layer slots of the classic arrays
inline constexpr int kGridSets = 2;             // only grid set 1 is used
inline constexpr int kMainNxCapacity = 252;     // main grid along x
inline constexpr int kMainNyCapacity = 220;     // main grid along y
inline constexpr int kMainLinkCapacity = 9723;  // mainFromBody and bodyFromMain
inline constexpr int kAuxLinkCapacity = 719;    // bodyFromBody
inline constexpr int kHoleCapacity = 14900;     // mainHoleList
inline constexpr int kParticleCapacity = 320;
// These capacities are the limits of a layout with the classic grids; finer
// grids scale them (capacitiesAt).  The arrays themselves are sized by the
// grids made (sizeMainGrid, sizeBodyGrids) and the lists by what the
// coupling finds.
//
// Work planes of the main-grid residual: kMainPlaneCount fields over the main
// grid with one point of padding on every side, point (i, j) at
// i * mainPlaneStride(ny) + j (solver/residual_main.cpp).
inline constexpr int kMainPlaneCount = 28;
constexpr int mainPlaneStride(int ny) {
  return (ny + 2 + 3) / 4 * 4;
}
constexpr int mainPlaneSize(int nx, int ny) {
  return (nx + 2) * mainPlaneStride(ny);
}
// Work planes of the auxiliary-grid residual: planes over one body's columns,
// point (p, r) at (p - bodyFirst + 1) * auxPlaneStride(bodyLayers) + r; the
// bodies are worked on one at a time in the area at its start
// (solver/residual_aux.cpp, solver/time_integration.cpp).
inline constexpr int kAuxPlaneCount = 38;
constexpr int auxPlaneStride(int bodyLayers) {
  return (bodyLayers + 2 + 3) / 4 * 4;
}
// Of these, the metric planes (xXi, yXi, xEta, yEta, J, 0.5 / J and the two
// sound lengths), which the time steps keep for every body in
// bodyMetricPlanes, one body's planes after the other's.
inline constexpr int kAuxMetricPlaneCount = 8;
inline constexpr int kTracePointCapacity = 1800;

// The limits of a layout at grid fineness f: the perimeter, the outer-edge
// links between body grids and the main grid's rows and columns grow with f,
// the main grid's points inside body grids (links and holes) with f².
struct Capacities {
  int perimeter, mainNx, mainNy, mainLinks, auxLinks, holes;
};
constexpr Capacities capacitiesAt(int f) {
  return {kPerimeterCapacity * f,    kMainNxCapacity * f,  kMainNyCapacity * f,
          kMainLinkCapacity * f * f, kAuxLinkCapacity * f, kHoleCapacity * f * f};
}
// The columns a given channel's main grid of ny rows may have: as many as keep
// its points within mainNx × mainNy, the memory the classic capacity allows,
// so a long, low channel is not held to the classic length.  Never fewer than
// the classic mainNx.
constexpr int sizedChannelNxCapacity(const Capacities& c, int ny) {
  return ny > 0 ? std::max(c.mainNx, c.mainNx * c.mainNy / ny) : c.mainNx;
}

// A fixed array indexed 1..N (slot 0 unused).
template <typename T, int N> using Arr1 = std::array<T, N + 1>;
template <typename T, int N1, int N2> using Arr2 = std::array<std::array<T, N2 + 1>, N1 + 1>;

// ------------------------------------------------------------ the flow record
// Every point of both grids carries 15 doubles, slots 1..15.  The state is
// kept in primitive form (rho, u, v, E, p); the other slots are solver and
// display scratch.
using FlowPoint = std::array<double, 16>;

namespace slot {
inline constexpr int omega = 1;  // vorticity, filled by the field maps
inline constexpr int rho = 2;    // density
inline constexpr int u = 3;      // velocity along x (the stream)
inline constexpr int v = 4;      // velocity along y
inline constexpr int e = 5;      // total energy per unit volume E
inline constexpr int pres = 6;   // pressure p
inline constexpr int dt = 7;     // local time step; display scratch between steps
inline constexpr int res = 8;    // 8..11: stage residual / combined increment
inline constexpr int dq = 12;    // 12..15: half first-stage / final increment
inline constexpr int count = 15; // the last slot, also the number of slots
} // namespace slot

// ------------------------------------------------------------- grid records
// Auxiliary-grid point (p, r, s), in layout units.
struct AuxPoint {
  double bodyGridX, bodyGridY;
};
// Main-grid point (i, j).
struct MainPoint {
  double mainGridX, mainGridY;
};
// Position of body k of column c (before and after the arrangement's turn).
struct ColumnBodyPosition {
  double columnBodyX, columnBodyY;
};
// Centre of body b.
struct BodyCentre {
  double bodyX, bodyY;
};
// Where a point falls on the view bitmap, in pixels, unrounded (x to the
// right, y downwards): the drawings round it when they draw.
struct PixelPosition {
  double x, y;
};

// An interpolation link: a receiver point, the donor cell that contains it and
// the receiver's local coordinates (s, t) in that cell.  Bilinear weights are
// (1-s)(1-t), s(1-t), st, (1-s)t on the corners (a,b), (a+1,b), (a+1,b+1),
// (a,b+1) of the donor cell.  Elements 1..3 of each triple are used; element
// 0 is left unused, as index 0 is everywhere.
struct Link {
  std::array<int, 4> receiver; // (i, j, body) or (p, r, grid set)
  std::array<int, 4> donor;    // (p, r, grid set) or (i, j, 1)
  double s, t;
};

struct GridIndex {
  int i, j;
};

// Tridiagonal coefficients of one line of the residual smoothing.
struct TriCoef {
  double a, b, c;
};

// One step of the convergence history (run/history.h): the root mean square
// of the density increment over the local time step, and the largest speed,
// over the points the step updates.
struct StepResidual {
  double densityResidual;
  double largestSpeed;
};

// Drag and lift coefficients of one body after one step (analysis/forces.h).
struct ForceSample {
  double cd, cl;
};

// The length of a run: `steps` time steps (300, the classic run), or, with
// untilSettled, until every body's mean drag has settled
// (analysis/force_history.h: the mean Cd over the last `window` steps
// differs from the mean over the `window` steps before by at most
// `tolerance` times the larger of its magnitude and 1), at most `steps`.
struct RunLength {
  int steps = 300;
  bool untilSettled = false;
  double tolerance = 0.01;
  int window = 300;

  bool operator==(const RunLength&) const = default;
};

// Why the last run's loop ended.
enum class RunEnd { none, lastStep, settled, stopped, diverged };

// Shape codes of a body.
namespace shape {
inline constexpr int circle = 0;   // size = diameter
inline constexpr int square = 1;   // size = side
inline constexpr int triangle = 2; // size = side of an equilateral triangle
inline constexpr int plate = 3;    // size = height of a plate 1 unit thick
inline constexpr int ellipse = 4;  // size = y axis; x axis ellipseRatio longer
} // namespace shape

// The layout the user edits: everything rebuildGrids turns into grids.  Layout
// files, the dialog and the presets read and write this one record; keeping
// and restoring a layout is one assignment.
struct LayoutParameters {
  int nColumns;
  Arr1<int, kColumnSlots> columnBodies;
  Arr1<int, kColumnSlots> columnGap;     // x distance from column c to c + 1
  Arr1<int, kColumnSlots> columnSpacing; // y distance between bodies of c
  Arr2<int, kColumnSlots, kBodySlotsPerColumn> layoutSize;
  Arr2<int, kColumnSlots, kBodySlotsPerColumn> layoutShape;
  Arr2<int, kColumnSlots, kBodySlotsPerColumn> layoutAngle; // whole degrees
  double layoutRotation;    // turn of the whole arrangement, degrees
  double ellipseRatio;      // x axis over y axis of the ellipses
  double bodyGridThickness; // thickness of the auxiliary grids, layout units
  int bodyLayers;           // radial layers of the auxiliary grids
  // The channel around the bodies: the main grid's extent and the inflow and
  // outlet it ends in (classic unless set).
  ChannelConditions channel;

  bool operator==(const LayoutParameters&) const = default;
};

// What the layout dialog and the menus keep beside the layout: the limits the
// dialog offers, the column being edited and the program's version.
struct LayoutEditing {
  int maxColumns;
  int maxColumnBodies;
  int selectedColumn;
  bool selectAllColumns;
  double programVersion;
};

// The grids made from a layout (layout/grid_making.h): the bodies' places and
// the body table, both grids' points, their metrics, and the layout they were
// made from.  Remade only when the layout changes.
struct Grids {
  Arr2<ColumnBodyPosition, kColumnSlots, kBodySlotsPerColumn> columnBody;

  // The last layout that rebuildGrids turned into grids.  A layout too large for
  // the arrays is refused and the parameters are put back to this one, so
  // that they always describe the grids on screen.
  LayoutParameters lastFittedLayout;
  bool hasFittedLayout;
  // The fineness, spacing and wall ratio of those grids.
  int lastFittedFineness;
  double lastFittedSpacing, lastFittedWallRatio;

  // The body table.
  int nBodies;
  Arr1<int, kBodySlots> bodyShape;
  Arr1<double, kBodySlots> bodySize;
  Arr1<int, kBodySlots> bodyPoints;
  Arr1<int, kBodySlots> bodyFirst;
  Arr1<int, kBodySlots> bodyLast;
  Arr1<BodyCentre, kBodySlots> body;
  int bodyPerimeterPoints;

  // The main grid's arrays are indexed [1..mainNx][1..mainNy], sized by
  // sizeMainGrid when the grid is made; so are the body grids' arrays,
  // [1..bodyPerimeterPoints + 1][1..bodyLayers][1..kGridSets], by sizeBodyGrids.
  Grid3<AuxPoint> bodyGrid;
  Grid2<MainPoint> mainGrid;
  int mainNx, mainNy;
  double mainSpacing;
  // The fineness the grids were made at (0 before any, taken as 1: see
  // finenessOfGrids) and the body grids' radial fill: the interval at the
  // wall over the one at the outer edge (0.6 for the classic grids).
  int gridFineness;
  double bodyWallRatio;
  int outletLow, outletHigh;

  // bodyMetric[p][r][s][k]: k = 1 xXi, 2 yXi, 3 xEta, 4 yEta, 5 jac.
  Grid3<std::array<double, 6>> bodyMetric;
  // bodySoundLength[p][r][s][k]: k = 1 along the perimeter, 2 across the layers.
  Grid3<std::array<double, 3>> bodySoundLength;
  // Counts the computations of bodyMetric and bodySoundLength; whatever keeps values
  // derived from them compares it with the count they were derived at.
  int metricGeneration;
};

// How the grids exchange values (coupling/): the main-grid points cut out by
// the bodies and the interpolation links between the grids.
struct CouplingTables {
  Grid2<std::uint8_t> mainHoleFlag;
  // The lists, indexed 1..count, grow as the coupling finds their entries
  // (storeListEntry), at most to their capacities; a search that is refused
  // or stopped leaves the entries before its own in place.
  std::vector<GridIndex> mainHoleList;
  int mainHoleCount;
  std::vector<Link> mainFromBody;
  int mainFromBodyCount;
  std::vector<Link> bodyFromMain;
  int bodyFromMainCount;
  std::vector<Link> bodyFromBody;
  int bodyFromBodyCount;
  // The layout whose grids the link lists and holes were made for: a later
  // change of the layout leaves the lists describing grids no longer there.
  LayoutParameters linkedLayout;
};

// The solver's constants, set from the flow conditions at a run's set-up
// (setInitialState).
struct SolverConstants {
  double uInf;               // free-stream speed Mach*sqrt(1.4), classic 0.05*sqrt(1.4)
  double uInfTrace;          // copy read by the particle traces
  double reynolds;           // on the solver's unit of length, classic 100
  double auxViscosityFactor; // body grids' viscosity over the main grid's: 2 or 1
  // Time-accurate runs: every point of both grids takes one global step
  // (FlowSolution::globalTimeStep).
  bool timeAccurate;
  // The body grids' seams solved as every other point of the ring (given
  // channels): the seam's interfaces take the fluxes of their periodic twins
  // and the ghost columns follow the stage.  Off, the classic seam: the
  // dissipation's one-sided forms there, the ghosts at the step's start.
  bool periodicSeams;
  // The dissipation scaled with the low-Mach radius (flow "dissipation":
  // "flow-speed") instead of |q| + c, on the main grid and on the body
  // grids, and the smallest reference speed Mr c of that radius.
  bool lowMachMain = false, lowMachBody = false;
  double lowMachFloor = 0;
  double entropyRef; // p/rho^1.4 of the free stream, 1
  double stressA;    // 4/3
  double stressB;    // -2/3
  double heatCoef;   // gamma/((gamma-1) Pr) = 5
  double cflMain;    // 2.65
  double cflAux;     // 3.2
  double k4Main;     // 1/64
  double k4Aux;      // 1/64
  double mainDx;     // mainSpacing/16, the main-grid spacing in solver units
  double mainDx2;    // mainDx^2
};

// The result of a run: the flow on both grids, its histories, and the layout
// and flow conditions it was computed for.
struct FlowSolution {
  Grid2<FlowPoint> mainFlow;
  Grid3<FlowPoint> bodyFlow;
  // The step that the flow fields have reached: s after step s of a run or
  // of its continuation.  0 when there is no flow to go on from: no run yet,
  // a set-up that failed, a step that diverged, or grids remade by rebuildGrids
  // since (they no longer belong to the flow).
  int flowStep;
  // The layout and the flow conditions the flow fields were computed for,
  // recorded at a run's set-up: a run's result (its flow, plots, forces, its
  // count of steps) belongs to these only, and is no result for any other.
  LayoutParameters flowLayout;
  FlowConditions flowConditionsOfResult;
  // The convergence history of the last run and its continuations, entry
  // n - 1 for step n.  Room is reserved before a run's loop, so a step never
  // allocates.
  std::vector<StepResidual> residualHistory;
  // Cd and Cl of every body after every step, beside the residual: step n's
  // nBodies samples (in body order) from entry (n - 1) * nBodies, reserved
  // as the residual history is.  forceTimes holds the flow time (flowTime)
  // after each step, 0 in a run with local time steps.
  std::vector<ForceSample> forceHistory;
  std::vector<double> forceTimes;
  // How the last run's loop ended.
  RunEnd runEnd;
  // Time-accurate runs: the step every point of both grids takes (0 in a
  // run with local time steps), and flowTime their sum, in the solver's
  // units (16 layout units over sqrt(p/rho) of the free stream).
  double globalTimeStep;
  double flowTime;
};

// The run in progress: its steps, its stop request and its clock.
struct RunState {
  int stepCount;
  int stepsDone;
  bool stopFlag;
  std::uint32_t runStartTick, runEndTick;
  // The first step of the calculation those ticks time: 1 for a run, the
  // step after the one continued from for a continuation.
  int runFirstStep;
  // The length of the next run and of a continuation.
  RunLength runLength;
};

// The solver's work space: nothing in it outlives a step's use of it.
struct SolverScratch {
  Arr1<double, 4> mainSumXX, mainSumXY, mainSumYY;
  Arr1<double, 4> bodySumXX, bodySumXY, bodySumYY;
  // Contiguous copies of the main-grid fields that mainGridResidual works on, so
  // that its loops run along memory (solver/residual_main.cpp); sized with
  // the main grid, kMainPlaneCount planes of mainPlaneSize values.
  PlaneBuffer mainPlanes;
  // The same for bodyGridResidual, layers contiguous; sized with the body
  // grids.
  PlaneBuffer bodyPlanes;
  // The auxiliary grids' metric planes, which do not change from step to
  // step: formed again when metricGeneration (bumped by every computation of
  // the metrics) differs from the generation they were formed from.
  PlaneBuffer bodyMetricPlanes;
  int bodyMetricPlanesGeneration;
  // What the three-stage step of a time-accurate run keeps between its two
  // residual calls, per point of the main grid ([i][j]) and of the body grids
  // ([p][r]): the state U^n and the first two stages' share of the
  // increment.  Sized on the first such step.
  std::vector<double> mainStepStart, bodyStepStart;
};

// What the picture shows and how: the view's centre and scale, the colour
// scale, the contour options and the particle traces.
struct ViewState {
  bool fillContours;
  bool blackLines;
  double scaleLow, scaleHigh;
  std::array<double, 11> levelValue; // 0..10
  double viewCentreX, viewCentreY, viewScale;
  Arr2<double, kParticleCapacity, kTracePointCapacity> traceX, traceY;
  Arr2<bool, kParticleCapacity, kTracePointCapacity> traceMoving;
  int lastTraceSpeed;
  int particleState; // 1 = traces must be prepared again, 2 = prepared
};

// Where the points of the grids fall on the view bitmap: the view transform
// (view/transform.h) writes them from the grids' coordinates whenever the
// view or the bitmap changes, every drawing reads them.  Indexed as the
// grids' arrays are and sized with them (sizeMainGrid, sizeBodyGrids); they
// change with the view, the grids' coordinates only with the layout.
struct GridPixels {
  Grid2<PixelPosition> main;                                         // [i][j]
  Grid3<PixelPosition> body;                                         // [p][r][s]
  Arr2<PixelPosition, kColumnSlots, kBodySlotsPerColumn> columnBody; // [c][k]
  Arr1<PixelPosition, kBodySlots> bodyCentre;                        // [b]
};

// The whole state of the program, as records by what lives how long: the
// layout the user edits and the flow conditions beside it, the grids made
// from them and their coupling tables, the solver's constants, the result of
// the last run, the run in progress, the solver's work space, the view and
// the grids' places on the view bitmap.
struct Model {
  LayoutParameters layout;
  // The flow conditions the user set beside the layout (the next run's);
  // setInitialState turns them into the solver constants.
  FlowConditions flow;
  LayoutEditing editing;
  Grids grids;
  CouplingTables coupling;
  SolverConstants constants;
  FlowSolution solution;
  RunState run;
  SolverScratch scratch;
  ViewState view;
  GridPixels pixels;

  // A model holds the particle traces, some megabytes: it is placed on
  // memory the kernel may back with 2 MB pages (core/large_pages.h).  The
  // grids' arrays and the solver's work planes, sized by the layout, live
  // outside this block.
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;
};

// The fineness of the grids made, 1 before any are.
inline int finenessOfGrids(const Grids& grids) {
  return grids.gridFineness > 0 ? grids.gridFineness : 1;
}

// Entry n of a coupling list (1..capacity), the list growing to hold it.
template <typename T> void storeListEntry(std::vector<T>& list, int n, const T& entry) {
  if (std::size_t(n) >= list.size()) list.resize(std::size_t(n) + 1);
  list[std::size_t(n)] = entry;
}

// Creates the model state, zero-filled, on the heap (it is some tens of MB).
// Its grids are empty until they are made.
std::unique_ptr<Model> makeModel();

// Sizes the main grid's arrays (coordinates, pixels, flow, hole flags) for nx x ny
// points, keeping the values of the points both sizes hold, and the
// main-grid residual's work planes.
void sizeMainGrid(Grids& grids, GridPixels& pixels, CouplingTables& coupling,
                  FlowSolution& solution, SolverScratch& scratch, int nx, int ny);
// Sizes the body grids' arrays (coordinates, pixels, flow, metrics, sound lengths)
// for the perimeter indices 1..lastIndex, the layers 1..bodyLayers and every
// grid set, keeping the values of the points both sizes hold, and the
// auxiliary-grid residual's work and metric planes.
void sizeBodyGrids(const LayoutParameters& layout, Grids& grids, GridPixels& pixels,
                   FlowSolution& solution, SolverScratch& scratch, int lastIndex);

// The start-up defaults of the layout and the view, as the main window's
// creation sets them.  Touches nothing else.
void setStartupDefaults(LayoutParameters& layout, LayoutEditing& editing, ViewState& view);
// The start-up view alone (part of setStartupDefaults): centre and scale.
void setStartupView(ViewState& view);
// The start-up layout alone (part of setStartupDefaults).
void setStartupLayout(LayoutParameters& layout);
