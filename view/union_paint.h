// Polygons of one colour painted as a union.  Painting a pixel twice in the
// same colour changes nothing, so a group of same-coloured polygons may be
// painted in any order and any grouping: each interior is filled at once, and
// each side, shared by however many of the polygons, is drawn once at the
// end.  The pixels are exactly those of painting every polygon on its own.
// The contour bands paint most of their cells this way: a pass of one band
// has a single colour (brush and pen alike).
#pragma once

#include "view/surface.h"

#include <bit>
#include <utility>

class UnionPainter {
public:
  // Corners are given as indices into `points` (at most 8 of them), which
  // must stay unchanged until finish().
  UnionPainter(DrawingSurface& surface, const PixelPoint* points)
      : surface_(surface), points_(points) {}

  void triangle(int a, int b, int c) {
    surface_.fillInterior(points_[a], points_[b], points_[c]);
    side(a, b);
    side(b, c);
    side(c, a);
  }
  void quadrilateral(int a, int b, int c, int d) {
    surface_.fillInterior(points_[a], points_[b], points_[c], points_[d]);
    side(a, b);
    side(b, c);
    side(c, d);
    side(d, a);
  }
  void side(int a, int b) {
    if (a == b) return;
    if (a > b) std::swap(a, b);
    sides_ |= 1u << (b * (b - 1) / 2 + a);
  }
  // Draws the sides of nonzero length, each once.
  void finish() {
    for (unsigned left = sides_; left != 0; left &= left - 1) {
      const Side sd = kSides[std::countr_zero(left)];
      if (!(points_[sd.a] == points_[sd.b])) surface_.closedSegment(points_[sd.a], points_[sd.b]);
    }
    sides_ = 0;
  }

private:
  struct Side {
    int a, b;
  };
  // Side a-b (a < b) of bit b(b-1)/2 + a.
  static constexpr Side kSides[28] = {{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}, {0, 4},
                                      {1, 4}, {2, 4}, {3, 4}, {0, 5}, {1, 5}, {2, 5}, {3, 5},
                                      {4, 5}, {0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6},
                                      {0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}};
  DrawingSurface& surface_;
  const PixelPoint* points_;
  unsigned sides_ = 0;
};

// The triangles (P[a], P[b], P[c]) for a = 1..m-2, b = 2..m-1, c = 3..m of
// the points P[1..m] (m <= 8): all combinations, degenerate ones included,
// which paint the convex hull of the points.  As a union: every set of three
// distinct points once (a triangle paints the same pixels whatever the order
// of its corners), every side once (a triangle with a repeated point only
// repeats a side of a full one).  Nothing for m < 3.
inline void paintHull(DrawingSurface& surface, const PixelPoint* points, int m) {
  if (m < 3) return;
  PixelPoint distinct[8];
  int n = 0;
  for (int k = 0; k < m && k < 8; ++k) {
    bool seen = false;
    for (int l = 0; l < n && !seen; ++l) seen = distinct[l] == points[k];
    if (!seen) distinct[n++] = points[k];
  }
  UnionPainter paint(surface, distinct);
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b) {
      paint.side(a, b);
      for (int c = b + 1; c < n; ++c) surface.fillInterior(distinct[a], distinct[b], distinct[c]);
    }
  paint.finish();
}
