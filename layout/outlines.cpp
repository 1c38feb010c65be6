#include "layout/outlines.h"

#include <cmath>
#include <numbers>

namespace {

AuxPoint& pt(Model& m, int p, int r) {
  return m.grids.bodyGrid[p][r][1];
}

void setPoint(Model& m, int p, int r, double x, double y) {
  pt(m, p, r).bodyGridX = x;
  pt(m, p, r).bodyGridY = y;
}

// The common end of every outline maker: the radial fill between the outer
// edge and the outline (the interval next to the body bodyWallRatio times
// the one at the edge, 0.6 on the classic grids), then the continuation
// slots.
void radialFill(Model& m, int first, int last) {
  for (int p = first; p <= last; ++p)
    fillGridSegment(m, p, 1, p, m.layout.bodyLayers, m.grids.bodyWallRatio);
}

void seamCopies(Model& m, int first, int last) {
  for (int r = 1; r <= m.layout.bodyLayers; ++r) {
    setPoint(m, first - 1, r, pt(m, last - 1, r).bodyGridX, pt(m, last - 1, r).bodyGridY);
    setPoint(m, last + 1, r, pt(m, first + 1, r).bodyGridX, pt(m, first + 1, r).bodyGridY);
  }
}

// Circle and ellipse: x = xc + ax sin(theta), y = yc + ay cos(theta) from the
// lowest point (theta = pi) clockwise, with the radial fill of each perimeter
// point done as soon as both of its ends are written.
void ovalMake(Model& m, int first, int last, double xc, double yc, double axOuter, double ayOuter,
              double axSurface, double aySurface) {
  double theta = std::numbers::pi;
  const double dTheta = 2 * std::numbers::pi / (last - first);
  for (int p = first; p <= last; ++p) {
    setPoint(m, p, 1, xc + axOuter * std::sin(theta), yc + ayOuter * std::cos(theta));
    setPoint(m, p, m.layout.bodyLayers, xc + axSurface * std::sin(theta),
             yc + aySurface * std::cos(theta));
    theta = theta + dTheta;
    fillGridSegment(m, p, 1, p, m.layout.bodyLayers, m.grids.bodyWallRatio);
  }
  seamCopies(m, first, last);
}

// One side of the square on one layer: x and y start at (x, y) and grow by
// (dx, dy) per point, accumulated by repeated addition.
void squareSide(Model& m, int r, int from, int to, double x, double y, double dx, double dy) {
  for (int p = from; p <= to; ++p) {
    setPoint(m, p, r, x, y);
    x = x + dx;
    y = y + dy;
  }
}

// Turns the point (x, y) about (xc, yc) by phi radians.
void turn(double& x, double& y, double xc, double yc, double cosPhi, double sinPhi) {
  const double dx = x - xc;
  const double dy = y - yc;
  x = xc + dx * cosPhi - dy * sinPhi;
  y = yc + dx * sinPhi + dy * cosPhi;
}

} // namespace

void fillGridSegment(Model& m, int p1, int r1, int p2, int r2, double ratio) {
  const double x1 = pt(m, p1, r1).bodyGridX, y1 = pt(m, p1, r1).bodyGridY;
  const double x2 = pt(m, p2, r2).bodyGridX, y2 = pt(m, p2, r2).bodyGridY;
  const double D = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)) + 1e-10;

  // Intervals grow by q = ratio^(1/(n-1)); their sum is delta*S with
  // S = 1 + q + ... + q^(n-1), so delta = D/S makes them reach P2.
  auto fill = [&](int n, auto&& writePoint) {
    const double q = std::pow(ratio, 1.0 / (n - 1));
    double S = 1, power = 1;
    for (int k = 1; k <= n - 1; ++k) {
      power = power * q;
      S = S + power;
    }
    double delta = D / S;
    double a = 0;
    for (int k = 1; k <= n - 1; ++k) {
      a = a + delta;
      writePoint(k, x1 + (x2 - x1) * a / D, y1 + (y2 - y1) * a / D);
      delta = delta * q;
    }
  };
  if (r2 - r1 > 1) fill(r2 - r1, [&](int k, double x, double y) { setPoint(m, p1, r1 + k, x, y); });
  if (p2 - p1 > 1) fill(p2 - p1, [&](int k, double x, double y) { setPoint(m, p1 + k, r1, x, y); });
}

void makeCircleOutline(Model& m, int first, int last, double xc, double yc, double s) {
  const double t = m.layout.bodyGridThickness;
  ovalMake(m, first, last, xc, yc, s / 2 + t, s / 2 + t, s / 2, s / 2);
}

void makeEllipseOutline(Model& m, int first, int last, double xc, double yc, double s) {
  const double t = m.layout.bodyGridThickness;
  const double ratio = m.layout.ellipseRatio;
  ovalMake(m, first, last, xc, yc, s / 2 * ratio + t, s / 2 + t, s / 2 * ratio, s / 2);
}

void makeSquareOutline(Model& m, int first, int last, double xc, double yc, double s) {
  const double h = s / 2;
  const double H = s / 2 + m.layout.bodyGridThickness;
  const int q = (last - first) / 4;
  const int c0 = first, c1 = first + q, c2 = first + 2 * q, c3 = first + 3 * q, c4 = last;
  // Corners are written by both sides meeting there; the later side stands.
  const int layers[2] = {1, m.layout.bodyLayers};
  const double half[2] = {H, h};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const double a = half[l];
    squareSide(m, r, c0, c1, xc - a, yc - a, 2 * a / (c1 - c0), 0);    // lower, towards +x
    squareSide(m, r, c1, c2, xc + a, yc - a, 0, 2 * a / (c2 - c1));    // downstream, up
    squareSide(m, r, c2, c3, xc + a, yc + a, -(2 * a / (c3 - c2)), 0); // upper, towards -x
    squareSide(m, r, c3, c4, xc - a, yc + a, 0, -(2 * a / (c4 - c3))); // upstream, down
  }
  radialFill(m, first, last);
  seamCopies(m, first, last);
}

void makeTriangleOutline(Model& m, int first, int last, double xc, double yc, double s) {
  const double t = m.layout.bodyGridThickness;
  const double sqrt3 = std::sqrt(3.0);
  const int n = (last - first) / 3;
  const int c1 = first + n;
  const int c2 = c1 + n;
  // Surface corners A, B (lower) and the apex C; the outer corners move the
  // lower ones 2t along their bisectors and the apex out by sqrt(3) t.
  const double yLow = yc - s / (2 * sqrt3);
  const double corners[2][3][2] = {{{xc - s / 2, yLow}, {xc + s / 2, yLow}, {xc, yc + s / sqrt3}},
                                   {{xc - s / 2 - sqrt3 * t, yLow - t},
                                    {xc + s / 2 + sqrt3 * t, yLow - t},
                                    {xc, yc + s / sqrt3 + sqrt3 * t}}};
  const int layers[2] = {m.layout.bodyLayers, 1};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const auto& c = corners[l];
    setPoint(m, first, r, c[0][0], c[0][1]);
    setPoint(m, last, r, c[0][0], c[0][1]);
    setPoint(m, c1, r, c[1][0], c[1][1]);
    setPoint(m, c2, r, c[2][0], c[2][1]);
    fillGridSegment(m, first, r, c1, r, 1.0);
    fillGridSegment(m, c1, r, c2, r, 1.0);
    fillGridSegment(m, c2, r, last, r, 1.0);
  }
  radialFill(m, first, last);
  seamCopies(m, first, last);
}

void makePlateOutline(Model& m, int first, int last, double xc, double yc, double s) {
  const double t = m.layout.bodyGridThickness;
  const double w = 1.0; // plate thickness along x
  const int n = (last - first - 8) / 2;
  const int c1 = first + 4;
  const int c2 = c1 + n;
  const int c3 = c2 + 4;
  const int layers[2] = {m.layout.bodyLayers, 1};
  const double grow[2] = {0, t};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const double g = grow[l];
    const double x0 = xc - w / 2 - g, x1 = xc + w / 2 + g;
    const double y0 = yc - s / 2 - g, y1 = yc + s / 2 + g;
    setPoint(m, first, r, x0, y0);
    setPoint(m, last, r, x0, y0);
    setPoint(m, c1, r, x1, y0);
    setPoint(m, c2, r, x1, y1);
    setPoint(m, c3, r, x0, y1);
    fillGridSegment(m, first, r, c1, r, 1.0);
    fillGridSegment(m, c1, r, c2, r, 1.0);
    fillGridSegment(m, c2, r, c3, r, 1.0);
    fillGridSegment(m, c3, r, last, r, 1.0);
  }
  radialFill(m, first, last);
  seamCopies(m, first, last);
}

void turnBodyGrid(Model& m, int b, double xc, double yc, double angle) {
  const double phi = angle / 180 * std::numbers::pi;
  const double c = std::cos(phi), s = std::sin(phi);
  for (int r = 1; r <= m.layout.bodyLayers; ++r)
    for (int p = m.grids.bodyFirst[b] - 1; p <= m.grids.bodyLast[b] + 1; ++p)
      turn(pt(m, p, r).bodyGridX, pt(m, p, r).bodyGridY, xc, yc, c, s);
}

void turnArrangementGrids(Model& m, double xc, double yc, double angle) {
  const double phi = angle / 180 * std::numbers::pi;
  const double c = std::cos(phi), s = std::sin(phi);
  for (int p = 1; p <= m.grids.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= m.layout.bodyLayers; ++r)
      turn(pt(m, p, r).bodyGridX, pt(m, p, r).bodyGridY, xc, yc, c, s);
  for (int b = 1; b <= m.grids.nBodies; ++b)
    turn(m.grids.body[b].bodyX, m.grids.body[b].bodyY, xc, yc, c, s);
  for (int col = 1; col <= m.layout.nColumns; ++col)
    for (int k = 1; k <= m.layout.columnBodies[col]; ++k)
      turn(m.grids.columnBody[col][k].columnBodyX, m.grids.columnBody[col][k].columnBodyY, xc, yc,
           c, s);
}
