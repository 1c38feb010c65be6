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

void DrawingSurface::moveTo(int x, int y) {
  current_ = clampPoint({x, y});
}

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
void DrawingSurface::segment(PixelPoint a, PixelPoint b, bool skipEnd) {
  bool skipFirst = false, skipLast = skipEnd;
  if (b.x < a.x || (b.x == a.x && b.y < a.y)) {
    std::swap(a, b);
    std::swap(skipFirst, skipLast);
  }
  if (!inside(a) || !inside(b)) {
    clippedSegment(a, b, skipFirst, skipLast);
    return;
  }
  // The common case, a short segment within the bitmap: the steps in plain
  // int arithmetic (b.x >= a.x after the swap).
  const int dx = b.x - a.x, dy = std::abs(b.y - a.y);
  const bool xMajor = dx >= dy;
  const int dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
  const int sy = b.y >= a.y ? 1 : -1;
  const std::ptrdiff_t stepMajor = xMajor ? 1 : static_cast<std::ptrdiff_t>(sy) * width_;
  const std::ptrdiff_t stepMinor = xMajor ? static_cast<std::ptrdiff_t>(sy) * width_ : 1;
  const long long twoMajor = 2LL * dMajor, twoMinor = 2LL * dMinor;
  long long r = dMajor;
  std::ptrdiff_t at = static_cast<std::ptrdiff_t>(a.y) * width_ + a.x;
  const int kLast = skipLast ? dMajor - 1 : dMajor;
  for (int k = 0; k <= kLast; ++k) {
    if (k > 0 || !skipFirst) pixels_[static_cast<std::size_t>(at)] = pen_;
    at += stepMajor;
    r += twoMinor;
    if (r >= twoMajor) {
      r -= twoMajor;
      at += stepMinor;
    }
  }
}

// The same steps for a segment that leaves the bitmap (a before b in (x, y)
// order): only the steps whose major coordinate lies inside are visited, and
// the minor coordinate and its remainder are found directly for the first.
void DrawingSurface::clippedSegment(PixelPoint a, PixelPoint b, bool skipFirst, bool skipLast) {
  if (width_ == 0 || height_ == 0) return;
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

// Scan lines run through the pixel centres y + 0.5; a vertex never lies on
// one, so every crossing is a proper crossing of an edge.  Pixels whose centre
// lies between the first and second (third and fourth) crossing are filled.
// Each edge is taken from its upper end, so that it crosses a scan line at the
// same x whichever way round a polygon lists it: a triangle therefore paints
// the same pixels whatever the order of its corners.
namespace {

struct ScanEdge {
  int yTop, yBottom;  // the edge crosses the scan lines yTop..yBottom - 1
  double xTop, slope; // x at the upper end, dx per scan line
};

ScanEdge scanEdge(PixelPoint s, PixelPoint e) {
  if (e.y < s.y) std::swap(s, e);
  return {s.y, e.y, static_cast<double>(s.x), static_cast<double>(e.x - s.x) / (e.y - s.y)};
}

double crossing(const ScanEdge& e, int y) {
  return e.xTop + (y + 0.5 - e.yTop) * e.slope;
}

// ceil(z) for |z| < 2^31: the truncation toward zero, one up when that fell
// below z.
int ceilToInt(double z) {
  const int t = static_cast<int>(z);
  return t + (t < z);
}

} // namespace

// Pixels x of a row whose centre x + 0.5 lies in [from, to).
inline void DrawingSurface::fillSpan(int y, double from, double to) {
  const int x0 = std::max(ceilToInt(from - 0.5), 0);
  const int x1 = std::min(ceilToInt(to - 0.5), width_);
  Colour* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
  for (int x = x0; x < x1; ++x) row[x] = brush_;
}

void DrawingSurface::fillPolygon(const PixelPoint* p, int n) {
  ScanEdge edges[4];
  int nEdges = 0;
  int yMin = p[0].y, yMax = p[0].y;
  for (int k = 0; k < n; ++k) {
    const PixelPoint s = p[k], e = p[k + 1 == n ? 0 : k + 1];
    yMin = std::min(yMin, s.y);
    yMax = std::max(yMax, s.y);
    if (s.y != e.y) edges[nEdges++] = scanEdge(s, e);
  }
  yMin = std::max(yMin, 0);
  yMax = std::min(yMax, height_ - 1);
  for (int y = yMin; y <= yMax; ++y) {
    double cross[4];
    int nCross = 0;
    for (int k = 0; k < nEdges; ++k)
      if (edges[k].yTop <= y && y < edges[k].yBottom) cross[nCross++] = crossing(edges[k], y);
    // At most four crossings: an insertion sort.
    for (int k = 1; k < nCross; ++k)
      for (int l = k; l > 0 && cross[l] < cross[l - 1]; --l) std::swap(cross[l], cross[l - 1]);
    for (int k = 0; k + 1 < nCross; k += 2) fillSpan(y, cross[k], cross[k + 1]);
  }
}

// The same scan for a triangle, whose rows each cross its long edge (top to
// bottom corner) and one of the two short ones.
void DrawingSurface::fillTriangle(const PixelPoint* p) {
  PixelPoint a = p[0], b = p[1], c = p[2];
  if (b.y < a.y) std::swap(a, b);
  if (c.y < b.y) std::swap(b, c);
  if (b.y < a.y) std::swap(a, b);
  if (a.y == c.y) return;
  const ScanEdge longEdge = scanEdge(a, c);
  const ScanEdge upper = a.y < b.y ? scanEdge(a, b) : longEdge;
  const ScanEdge lower = b.y < c.y ? scanEdge(b, c) : longEdge;
  const int yFirst = std::max(a.y, 0), yLast = std::min(c.y - 1, height_ - 1);
  for (int y = yFirst; y <= yLast; ++y) {
    double x1 = crossing(longEdge, y), x2 = crossing(y < b.y ? upper : lower, y);
    if (x2 < x1) std::swap(x1, x2);
    fillSpan(y, x1, x2);
  }
}

void DrawingSurface::outline(const PixelPoint* p, int n) {
  for (int k = 0; k < n; ++k) segment(p[k], p[k + 1 == n ? 0 : k + 1], true);
}

void DrawingSurface::polygon(PixelPoint a, PixelPoint b, PixelPoint c) {
  const PixelPoint p[3] = {clampPoint(a), clampPoint(b), clampPoint(c)};
  fillTriangle(p);
  outline(p, 3);
}

void DrawingSurface::polygon(PixelPoint a, PixelPoint b, PixelPoint c, PixelPoint d) {
  const PixelPoint p[4] = {clampPoint(a), clampPoint(b), clampPoint(c), clampPoint(d)};
  fillPolygon(p, 4);
  outline(p, 4);
}

void DrawingSurface::fillInterior(PixelPoint a, PixelPoint b, PixelPoint c) {
  const PixelPoint p[3] = {clampPoint(a), clampPoint(b), clampPoint(c)};
  fillTriangle(p);
}

void DrawingSurface::fillInterior(PixelPoint a, PixelPoint b, PixelPoint c, PixelPoint d) {
  const PixelPoint p[4] = {clampPoint(a), clampPoint(b), clampPoint(c), clampPoint(d)};
  fillPolygon(p, 4);
}

void DrawingSurface::closedSegment(PixelPoint a, PixelPoint b) {
  segment(clampPoint(a), clampPoint(b), false);
}

void DrawingSurface::fillRect(int x1, int y1, int x2, int y2) {
  const int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), width_);
  const int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), height_);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, right - left,
                brush_);
}

void DrawingSurface::fill() {
  std::fill(pixels_.begin(), pixels_.end(), brush_);
}

Colour DrawingSurface::pixel(int x, int y) const {
  if (!inside({x, y})) return kWhite;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void DrawingSurface::setPixel(int x, int y, Colour c) {
  if (!inside({x, y})) return;
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
