#include "layout/outlines.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

AuxPoint& pt(Grids& grids, int p, int r) {
  return grids.bodyGrid[p][r][1];
}

void setPoint(Grids& grids, int p, int r, double x, double y) {
  pt(grids, p, r).bodyGridX = x;
  pt(grids, p, r).bodyGridY = y;
}

// The common end of every outline maker: the radial fill between the outer
// edge and the outline (the interval next to the body bodyWallRatio times
// the one at the edge, 0.6 on the classic grids), then the continuation
// slots.
void radialFill(const LayoutParameters& layout, Grids& grids, int first, int last) {
  for (int p = first; p <= last; ++p)
    fillGridSegment(grids, p, 1, p, layout.bodyLayers, grids.bodyWallRatio);
}

void seamCopies(const LayoutParameters& layout, Grids& grids, int first, int last) {
  for (int r = 1; r <= layout.bodyLayers; ++r) {
    setPoint(grids, first - 1, r, pt(grids, last - 1, r).bodyGridX,
             pt(grids, last - 1, r).bodyGridY);
    setPoint(grids, last + 1, r, pt(grids, first + 1, r).bodyGridX,
             pt(grids, first + 1, r).bodyGridY);
  }
}

// Circle and ellipse: x = xc + ax sin(theta), y = yc + ay cos(theta) from the
// lowest point (theta = pi) clockwise, with the radial fill of each perimeter
// point done as soon as both of its ends are written.
void ovalMake(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
              double yc, double axOuter, double ayOuter, double axSurface, double aySurface) {
  double theta = std::numbers::pi;
  const double dTheta = 2 * std::numbers::pi / (last - first);
  for (int p = first; p <= last; ++p) {
    setPoint(grids, p, 1, xc + axOuter * std::sin(theta), yc + ayOuter * std::cos(theta));
    setPoint(grids, p, layout.bodyLayers, xc + axSurface * std::sin(theta),
             yc + aySurface * std::cos(theta));
    theta = theta + dTheta;
    fillGridSegment(grids, p, 1, p, layout.bodyLayers, grids.bodyWallRatio);
  }
  seamCopies(layout, grids, first, last);
}

// One side of the square on one layer: x and y start at (x, y) and grow by
// (dx, dy) per point, accumulated by repeated addition.
void squareSide(Grids& grids, int r, int from, int to, double x, double y, double dx, double dy) {
  for (int p = from; p <= to; ++p) {
    setPoint(grids, p, r, x, y);
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

void fillGridSegment(Grids& grids, int p1, int r1, int p2, int r2, double ratio) {
  const double x1 = pt(grids, p1, r1).bodyGridX, y1 = pt(grids, p1, r1).bodyGridY;
  const double x2 = pt(grids, p2, r2).bodyGridX, y2 = pt(grids, p2, r2).bodyGridY;
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
  if (r2 - r1 > 1)
    fill(r2 - r1, [&](int k, double x, double y) { setPoint(grids, p1, r1 + k, x, y); });
  if (p2 - p1 > 1)
    fill(p2 - p1, [&](int k, double x, double y) { setPoint(grids, p1 + k, r1, x, y); });
}

namespace {

// A corner of a polygonal outline: its perimeter index and position.
struct OutlineCorner {
  int p;
  double x, y;
};

// Layer r of a closed polygonal outline: the corners at their perimeter
// indices, the first also at `last` (the seam's copy), and the points of
// each side evenly spaced between its corners.
void polygonLayer(Grids& grids, int r, int last, std::initializer_list<OutlineCorner> corners) {
  const OutlineCorner& start = *corners.begin();
  setPoint(grids, last, r, start.x, start.y);
  int previous = start.p;
  for (const OutlineCorner& c : corners) {
    setPoint(grids, c.p, r, c.x, c.y);
    if (c.p != start.p) fillGridSegment(grids, previous, r, c.p, r, 1.0);
    previous = c.p;
  }
  fillGridSegment(grids, previous, r, last, r, 1.0);
}

} // namespace

void makeCircleOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                       double yc, double s) {
  const double t = layout.bodyGridThickness;
  ovalMake(layout, grids, first, last, xc, yc, s / 2 + t, s / 2 + t, s / 2, s / 2);
}

void makeEllipseOutline(const LayoutParameters& layout, Grids& grids, int first, int last,
                        double xc, double yc, double s) {
  const double t = layout.bodyGridThickness;
  const double ratio = layout.ellipseRatio;
  ovalMake(layout, grids, first, last, xc, yc, s / 2 * ratio + t, s / 2 + t, s / 2 * ratio, s / 2);
}

void makeSquareOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                       double yc, double s) {
  const double h = s / 2;
  const double H = s / 2 + layout.bodyGridThickness;
  const int q = (last - first) / 4;
  const int c0 = first, c1 = first + q, c2 = first + 2 * q, c3 = first + 3 * q, c4 = last;
  // Corners are written by both sides meeting there; the later side stands.
  const int layers[2] = {1, layout.bodyLayers};
  const double half[2] = {H, h};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const double a = half[l];
    squareSide(grids, r, c0, c1, xc - a, yc - a, 2 * a / (c1 - c0), 0);    // lower, towards +x
    squareSide(grids, r, c1, c2, xc + a, yc - a, 0, 2 * a / (c2 - c1));    // downstream, up
    squareSide(grids, r, c2, c3, xc + a, yc + a, -(2 * a / (c3 - c2)), 0); // upper, towards -x
    squareSide(grids, r, c3, c4, xc - a, yc + a, 0, -(2 * a / (c4 - c3))); // upstream, down
  }
  radialFill(layout, grids, first, last);
  seamCopies(layout, grids, first, last);
}

void makeTriangleOutline(const LayoutParameters& layout, Grids& grids, int first, int last,
                         double xc, double yc, double s) {
  const double t = layout.bodyGridThickness;
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
  const int layers[2] = {layout.bodyLayers, 1};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const auto& c = corners[l];
    polygonLayer(grids, r, last,
                 {{first, c[0][0], c[0][1]}, {c1, c[1][0], c[1][1]}, {c2, c[2][0], c[2][1]}});
  }
  radialFill(layout, grids, first, last);
  seamCopies(layout, grids, first, last);
}

void makePlateOutline(const LayoutParameters& layout, Grids& grids, int first, int last, double xc,
                      double yc, double s) {
  const double t = layout.bodyGridThickness;
  const double w = 1.0; // plate thickness along x
  const int n = (last - first - 8) / 2;
  const int c1 = first + 4;
  const int c2 = c1 + n;
  const int c3 = c2 + 4;
  const int layers[2] = {layout.bodyLayers, 1};
  const double grow[2] = {0, t};
  for (int l = 0; l < 2; ++l) {
    const int r = layers[l];
    const double g = grow[l];
    const double x0 = xc - w / 2 - g, x1 = xc + w / 2 + g;
    const double y0 = yc - s / 2 - g, y1 = yc + s / 2 + g;
    polygonLayer(grids, r, last, {{first, x0, y0}, {c1, x1, y0}, {c2, x1, y1}, {c3, x0, y1}});
  }
  radialFill(layout, grids, first, last);
  seamCopies(layout, grids, first, last);
}

void turnBodyGrid(const LayoutParameters& layout, Grids& grids, int b, double xc, double yc,
                  double angle) {
  const double phi = angle / 180 * std::numbers::pi;
  const double c = std::cos(phi), s = std::sin(phi);
  for (int r = 1; r <= layout.bodyLayers; ++r)
    for (int p = grids.bodyFirst[b] - 1; p <= grids.bodyLast[b] + 1; ++p)
      turn(pt(grids, p, r).bodyGridX, pt(grids, p, r).bodyGridY, xc, yc, c, s);
}

void turnArrangementGrids(const LayoutParameters& layout, Grids& grids, double xc, double yc,
                          double angle) {
  const double phi = angle / 180 * std::numbers::pi;
  const double c = std::cos(phi), s = std::sin(phi);
  for (int p = 1; p <= grids.bodyPerimeterPoints + 1; ++p)
    for (int r = 1; r <= layout.bodyLayers; ++r)
      turn(pt(grids, p, r).bodyGridX, pt(grids, p, r).bodyGridY, xc, yc, c, s);
  for (int b = 1; b <= grids.nBodies; ++b)
    turn(grids.body[b].bodyX, grids.body[b].bodyY, xc, yc, c, s);
  for (int col = 1; col <= layout.nColumns; ++col)
    for (int k = 1; k <= layout.columnBodies[col]; ++k)
      turn(grids.columnBody[col][k].columnBodyX, grids.columnBody[col][k].columnBodyY, xc, yc, c,
           s);
}
