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
void setBoundaryDt(Model& m, double dt) {
  for (int j = 1; j <= m.ryNy; ++j) {
    m.ryFlow[1][j][slot::dt] = dt;
    m.ryFlow[m.ryNx][j][slot::dt] = dt;
  }
  for (int i = 1; i <= m.ryNx; ++i) {
    m.ryFlow[i][1][slot::dt] = dt;
    m.ryFlow[i][m.ryNy][slot::dt] = dt;
  }
}

enum class MapKind { vorticity, pressure, density };

void drawMap(Model& m, ViewSurfaces& s, WindowServices& ws, MapKind kind) {
  constexpr int levels = 20;
  ws.setCheckBoxVisible(1, true);
  ws.setCheckBoxVisible(2, true);
  if (kind == MapKind::density) ws.setStatusText(0, kTextDensityMap(ws.language()));
  setBoundaryDt(m, 1.0);
  fillWhite(s.bitmap);
  if (kind == MapKind::vorticity) define_omeg(m);
  const int c = kind == MapKind::vorticity  ? slot::omega
                : kind == MapKind::pressure ? slot::pres
                                            : slot::rho;
  Max_Ryu(m, c);
  Bunpu_RY(m, s.bitmap, 1, m.ryNx, 1, m.ryNy, c, levels);
  for (int b = 1; b <= m.nBodies; ++b)
    Bunpu_WK(m, s.bitmap, m.bodyFirst[b], m.bodyLast[b], 1, m.wkNr, 1, c, levels);
  draw_ume(m, s.bitmap);
  s.copyBitmapToWindow();
  if (kind == MapKind::vorticity) ws.setStatusText(0, kTextVorticityMap(ws.language()));
  if (kind == MapKind::pressure) ws.setStatusText(0, kTextPressureMap(ws.language()));
  setBoundaryDt(m, 0);
}

} // namespace

void define_omeg(Model& m) {
  const double d = 2 * m.ryDx;
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      const double dudy = derivative([&](int k) { return m.ryFlow[i][k][slot::u]; }, j, m.ryNy, d);
      const double dvdx = derivative([&](int k) { return m.ryFlow[k][j][slot::v]; }, i, m.ryNx, d);
      m.ryFlow[i][j][slot::omega] = dudy - dvdx;
    }

  const int nr = m.wkNr;
  for (int b = 1; b <= m.nBodies; ++b)
    for (int r = 1; r <= nr; ++r)
      for (int p = m.bodyFirst[b]; p <= m.bodyLast[b]; ++p) {
        auto along = [&](int slotIndex) {
          return derivative([&](int k) { return m.wkFlow[p][k][1][slotIndex]; }, r, nr, 2.0);
        };
        auto around = [&](int slotIndex) {
          return (m.wkFlow[p + 1][r][1][slotIndex] - m.wkFlow[p - 1][r][1][slotIndex]) / 2;
        };
        const double uEta = along(slot::u), vEta = along(slot::v);
        const double uXi = around(slot::u), vXi = around(slot::v);
        const auto& g = m.wkMetric[p][r][1];
        const double xXi = g[1], yXi = g[2], xEta = g[3], yEta = g[4], jac = g[5];
        const double dudy = (xXi * uEta - xEta * uXi) / jac;
        const double dvdx = (yEta * vXi - yXi * vEta) / jac;
        m.wkFlow[p][r][1][slot::omega] = dudy - dvdx;
      }
}

void draw_omeg(Model& m, ViewSurfaces& s, WindowServices& ws) {
  drawMap(m, s, ws, MapKind::vorticity);
}

void draw_pres(Model& m, ViewSurfaces& s, WindowServices& ws) {
  drawMap(m, s, ws, MapKind::pressure);
}

void draw_mitudo(Model& m, ViewSurfaces& s, WindowServices& ws) {
  drawMap(m, s, ws, MapKind::density);
}
