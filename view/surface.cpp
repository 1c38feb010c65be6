#include "view/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Coordinates are clamped to a billion pixels either side of the bitmap, so
// that the integer arithmetic of the line stepping cannot overflow.
constexpr int kCoordinateLimit = 1 << 30;

PixelPoint clampPoint(PixelPoint p) {
  return {std::clamp(p.x, -kCoordinateLimit, kCoordinateLimit),
          std::clamp(p.y, -kCoordinateLimit, kCoordinateLimit)};
}

} // namespace

DrawingSurface::DrawingSurface(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, kWhite) {}

void DrawingSurface::setSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<Colour> resized(static_cast<std::size_t>(width) * height, kWhite);
  const int keepW = std::min(width, width_), keepH = std::min(height, height_);
  for (int y = 0; y < keepH; ++y)
    std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, keepW,
                resized.begin() + static_cast<std::ptrdiff_t>(y) * width);
  pixels_.swap(resized);
  width_ = width;
  height_ = height;
}

void DrawingSurface::moveTo(int x, int y) { current_ = clampPoint({x, y}); }

void DrawingSurface::lineTo(int x, int y) {
  const PixelPoint end = clampPoint({x, y});
  segment(current_, end, true);
  current_ = end;
}

// The pixels of a closed segment are those of the midpoint rule stepped along
// the major axis from the endpoint that comes first in (x, y) order: at step k
// the minor coordinate moves by floor((2·k·dMinor + dMajor) / (2·dMajor)),
// i.e. k·dMinor/dMajor rounded with halves away from that endpoint.  Starting
// from a fixed endpoint makes the pixel set independent of the direction.
// Only the steps whose major coordinate lies inside the bitmap are visited;
// the minor coordinate and its remainder are found directly for the first.
void DrawingSurface::segment(PixelPoint a, PixelPoint b, bool skipEnd) {
  if (width_ == 0 || height_ == 0) return;
  bool skipFirst = false, skipLast = skipEnd;
  if (b.x < a.x || (b.x == a.x && b.y < a.y)) {
    std::swap(a, b);
    std::swap(skipFirst, skipLast);
  }
  // Whole segment on one side of the bitmap.
  if (std::max(a.x, b.x) < 0 || std::min(a.x, b.x) >= width_ || std::max(a.y, b.y) < 0 ||
      std::min(a.y, b.y) >= height_)
    return;

  const long long dx = std::llabs(static_cast<long long>(b.x) - a.x);
  const long long dy = std::llabs(static_cast<long long>(b.y) - a.y);
  const bool xMajor = dx >= dy;
  const long long dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
  const int sMajor = xMajor ? (b.x >= a.x ? 1 : -1) : (b.y >= a.y ? 1 : -1);
  const int sMinor = xMajor ? (b.y >= a.y ? 1 : -1) : (b.x >= a.x ? 1 : -1);
  const long long major0 = xMajor ? a.x : a.y, minor0 = xMajor ? a.y : a.x;
  const long long majorSize = xMajor ? width_ : height_, minorSize = xMajor ? height_ : width_;

  long long kFirst = skipFirst ? 1 : 0, kLast = skipLast ? dMajor - 1 : dMajor;
  // Major coordinate major0 + sMajor·k within 0..majorSize - 1.
  if (sMajor > 0) {
    kFirst = std::max(kFirst, -major0);
    kLast = std::min(kLast, majorSize - 1 - major0);
  } else {
    kFirst = std::max(kFirst, major0 - (majorSize - 1));
    kLast = std::min(kLast, major0);
  }
  if (kFirst > kLast) return;

  // Minor offset q and remainder r of (2·k·dMinor + dMajor) / (2·dMajor) at
  // k = kFirst.  With k, dMinor <= 2^31 the numerator stays below 2^64.
  const unsigned long long twoMajor = 2ULL * static_cast<unsigned long long>(dMajor);
  const unsigned long long twoMinor = 2ULL * static_cast<unsigned long long>(dMinor);
  long long q = 0;
  unsigned long long r = static_cast<unsigned long long>(dMajor);
  if (kFirst == 1) {
    r += twoMinor;
    if (r >= twoMajor) {
      r -= twoMajor;
      ++q;
    }
  } else if (kFirst > 1) {
    const unsigned long long num = static_cast<unsigned long long>(kFirst) * twoMinor + r;
    q = static_cast<long long>(num / twoMajor);
    r = num % twoMajor;
  }

  const long long minorA = minor0, minorB = xMajor ? b.y : b.x;
  if (minorA >= 0 && minorA < minorSize && minorB >= 0 && minorB < minorSize) {
    // The minor coordinate moves monotonically between two values inside the
    // bitmap: no test per pixel.
    const long long x = xMajor ? major0 + sMajor * kFirst : minor0 + sMinor * q;
    const long long y = xMajor ? minor0 + sMinor * q : major0 + sMajor * kFirst;
    const std::ptrdiff_t stepMajor = xMajor ? sMajor : static_cast<std::ptrdiff_t>(sMajor) * width_;
    const std::ptrdiff_t stepMinor = xMajor ? static_cast<std::ptrdiff_t>(sMinor) * width_ : sMinor;
    std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y * width_ + x);
    for (long long k = kFirst; k <= kLast; ++k) {
      pixels_[static_cast<std::size_t>(at)] = pen_;
      at += stepMajor;
      r += twoMinor;
      if (r >= twoMajor) {
        r -= twoMajor;
        at += stepMinor;
      }
    }
    return;
  }
  for (long long k = kFirst; k <= kLast; ++k) {
    const long long major = major0 + sMajor * k;
    const long long minor = minor0 + sMinor * q;
    if (minor >= 0 && minor < minorSize) {
      const long long x = xMajor ? major : minor, y = xMajor ? minor : major;
      pixels_[static_cast<std::size_t>(y * width_ + x)] = pen_;
    }
    r += twoMinor;
    if (r >= twoMajor) {
      r -= twoMajor;
      ++q;
    }
  }
}

// Scan lines through the pixel centres y + 0.5; a vertex never lies on one, so
// every crossing is a proper crossing of an edge.  Pixels whose centre lies
// between the first and second (third and fourth) crossing are filled.  Each
// edge is taken from its upper end, so that it crosses a scan line at the same
// x whichever way round the polygon lists it: a triangle therefore paints the
// same pixels whatever the order of its corners.
void DrawingSurface::fillPolygon(const PixelPoint* p, int n) {
  struct Edge {
    int yTop, yBottom; // the edge spans the scan lines yTop..yBottom - 1
    double xTop, slope; // x at the upper end, dx per scan line
  };
  Edge edges[4];
  int nEdges = 0;
  int yMin = p[0].y, yMax = p[0].y;
  for (int k = 0; k < n; ++k) {
    PixelPoint s = p[k], e = p[(k + 1) % n];
    yMin = std::min(yMin, s.y);
    yMax = std::max(yMax, s.y);
    if (s.y == e.y) continue;
    if (e.y < s.y) std::swap(s, e);
    edges[nEdges++] = {s.y, e.y, static_cast<double>(s.x),
                       static_cast<double>(e.x - s.x) / (e.y - s.y)};
  }
  yMin = std::max(yMin, 0);
  yMax = std::min(yMax, height_ - 1);
  for (int y = yMin; y <= yMax; ++y) {
    const double yc = y + 0.5;
    double cross[4];
    int nCross = 0;
    for (int k = 0; k < nEdges; ++k)
      if (edges[k].yTop <= y && y < edges[k].yBottom)
        cross[nCross++] = edges[k].xTop + (yc - edges[k].yTop) * edges[k].slope;
    // At most four crossings: an insertion sort.
    for (int k = 1; k < nCross; ++k)
      for (int l = k; l > 0 && cross[l] < cross[l - 1]; --l) std::swap(cross[l], cross[l - 1]);
    Colour* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
    for (int k = 0; k + 1 < nCross; k += 2) {
      // Pixel x is inside when its centre x + 0.5 lies in [cross[k], cross[k+1]).
      const int from = std::max(static_cast<int>(std::ceil(cross[k] - 0.5)), 0);
      const int to = std::min(static_cast<int>(std::ceil(cross[k + 1] - 0.5)), width_);
      for (int x = from; x < to; ++x) row[x] = brush_;
    }
  }
}

void DrawingSurface::outline(const PixelPoint* p, int n) {
  for (int k = 0; k < n; ++k) segment(p[k], p[(k + 1) % n], true);
}

void DrawingSurface::polygon(PixelPoint a, PixelPoint b, PixelPoint c) {
  const PixelPoint p[3] = {clampPoint(a), clampPoint(b), clampPoint(c)};
  fillPolygon(p, 3);
  outline(p, 3);
}

void DrawingSurface::polygon(PixelPoint a, PixelPoint b, PixelPoint c, PixelPoint d) {
  const PixelPoint p[4] = {clampPoint(a), clampPoint(b), clampPoint(c), clampPoint(d)};
  fillPolygon(p, 4);
  outline(p, 4);
}

void DrawingSurface::fillRect(int x1, int y1, int x2, int y2) {
  const int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), width_);
  const int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), height_);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, right - left,
                brush_);
}

void DrawingSurface::fill() { std::fill(pixels_.begin(), pixels_.end(), brush_); }

Colour DrawingSurface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void DrawingSurface::setPixel(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void DrawingSurface::copyFrom(const DrawingSurface& source) {
  const int w = std::min(width_, source.width_), h = std::min(height_, source.height_);
  for (int y = 0; y < h; ++y)
    std::copy_n(source.pixels_.begin() + static_cast<std::ptrdiff_t>(y) * source.width_, w,
                pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_);
}

void fillWhite(DrawingSurface& s) {
  s.setBrush(kWhite);
  s.fill();
}
