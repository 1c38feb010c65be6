#include "view/field_maps.h"

#include "view/colour_scale.h"
#include "view/contour.h"
#include "view/outline.h"
#include "view/view_texts.h"

namespace {

// Derivative along an index with unit or given spacing h (the divisor 2h):
// central inside, second-order one-sided at the two ends 1 and n.
template <typename ValueAt> double derivative(ValueAt f, int k, int n, double twoH) {
  if (k == 1) return (-3 * f(1) + 4 * f(2) - f(3)) / twoH;
  if (k == n) return (3 * f(n) - 4 * f(n - 1) + f(n - 2)) / twoH;
  return (f(k + 1) - f(k - 1)) / twoH;
}

// The outermost rows and columns of the main grid take part in a plot only
// while their dt is 1.
void setBoundaryDt(const Grids& grids, FlowSolution& solution, double dt) {
  for (int j = 1; j <= grids.mainNy; ++j) {
    solution.mainFlow[1][j][slot::dt] = dt;
    solution.mainFlow[grids.mainNx][j][slot::dt] = dt;
  }
  for (int i = 1; i <= grids.mainNx; ++i) {
    solution.mainFlow[i][1][slot::dt] = dt;
    solution.mainFlow[i][grids.mainNy][slot::dt] = dt;
  }
}

enum class MapKind { vorticity, pressure, density };

PlotCaption drawMap(const FieldMapState& state, ViewSurfaces& s, MapKind kind) {
  constexpr int levels = 20;
  setBoundaryDt(state.grids, state.solution, 1.0);
  fillWhite(s.bitmap);
  if (kind == MapKind::vorticity)
    computeVorticity(state.layout, state.constants, state.grids, state.solution);
  const int c = kind == MapKind::vorticity  ? slot::omega
                : kind == MapKind::pressure ? slot::pres
                                            : slot::rho;
  findScaleRange(state.layout, state.grids, state.solution, state.view, c);
  drawMainContours(state.solution, state.pixels, state.view, s.bitmap, 1, state.grids.mainNx, 1,
                   state.grids.mainNy, c, levels);
  for (int b = 1; b <= state.grids.nBodies; ++b)
    drawBodyContours(state.solution, state.pixels, state.view, s.bitmap, state.grids.bodyFirst[b],
                     state.grids.bodyLast[b], 1, state.layout.bodyLayers, 1, c, levels);
  maskBodiesAndWalls(state.layout, state.grids, state.pixels, s.bitmap);
  s.copyBitmapToWindow();
  setBoundaryDt(state.grids, state.solution, 0);
  const Message& title = kind == MapKind::vorticity  ? kTextVorticityMap
                         : kind == MapKind::pressure ? kTextPressureMap
                                                     : kTextDensityMap;
  return {&title, true};
}

} // namespace

void computeVorticity(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, FlowSolution& solution) {
  const double d = 2 * constants.mainDx;
  for (int i = 1; i <= grids.mainNx; ++i)
    for (int j = 1; j <= grids.mainNy; ++j) {
      const double dudy =
          derivative([&](int k) { return solution.mainFlow[i][k][slot::u]; }, j, grids.mainNy, d);
      const double dvdx =
          derivative([&](int k) { return solution.mainFlow[k][j][slot::v]; }, i, grids.mainNx, d);
      solution.mainFlow[i][j][slot::omega] = dudy - dvdx;
    }

  const int nr = layout.bodyLayers;
  for (int b = 1; b <= grids.nBodies; ++b)
    for (int r = 1; r <= nr; ++r)
      for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p) {
        auto along = [&](int slotIndex) {
          return derivative([&](int k) { return solution.bodyFlow[p][k][1][slotIndex]; }, r, nr,
                            2.0);
        };
        auto around = [&](int slotIndex) {
          return (solution.bodyFlow[p + 1][r][1][slotIndex] -
                  solution.bodyFlow[p - 1][r][1][slotIndex]) /
                 2;
        };
        const double uEta = along(slot::u), vEta = along(slot::v);
        const double uXi = around(slot::u), vXi = around(slot::v);
        const auto& g = grids.bodyMetric[p][r][1];
        const double xXi = g[1], yXi = g[2], xEta = g[3], yEta = g[4], jac = g[5];
        const double dudy = (xXi * uEta - xEta * uXi) / jac;
        const double dvdx = (yEta * vXi - yXi * vEta) / jac;
        solution.bodyFlow[p][r][1][slot::omega] = dudy - dvdx;
      }
}

PlotCaption drawVorticityMap(const FieldMapState& state, ViewSurfaces& s) {
  return drawMap(state, s, MapKind::vorticity);
}

PlotCaption drawPressureMap(const FieldMapState& state, ViewSurfaces& s) {
  return drawMap(state, s, MapKind::pressure);
}

PlotCaption drawDensityMap(const FieldMapState& state, ViewSurfaces& s) {
  return drawMap(state, s, MapKind::density);
}
