// The drawing surface: a plain bitmap of 32-bit words 0x00BBGGRR with the few
// operations every picture of the program is made of: a pen and a brush
// colour, move-to and line-to, filled polygons of three or four points,
// filled rectangles and a fill of the whole bitmap.  Pens are one pixel wide.
//
// Pixels are stored row by row, top row first.  On the little-endian machines
// we build for, a word 0x00BBGGRR lies in memory as the bytes R, G, B, X, which
// is exactly the layout of a Qt RGBX8888 image: the window wraps bits() as it
// is, without a conversion.
//
// Coordinates are pixels, x to the right and y downwards, and may lie anywhere
// in the int range: whatever falls outside the bitmap is clipped.  Lines that
// reach far beyond it (a zoomed-in view, a wild arrow) cost no more than the
// pixels they cross inside.  Nothing here allocates except construction and
// setSize.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "the 0x00BBGGRR words must lie in memory as R, G, B, X");

using Colour = std::uint32_t; // 0x00BBGGRR

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kCyan = 0xFFFF00;

struct PixelPoint {
  int x, y;
  friend bool operator==(PixelPoint, PixelPoint) = default;
};

class DrawingSurface {
public:
  // A bitmap of width x height pixels, all white.  Pen black, brush white,
  // current point (0, 0).
  DrawingSurface(int width = 0, int height = 0);

  int width() const { return width_; }
  int height() const { return height_; }

  // New size.  The picture stays where the old and the new bitmap overlap;
  // pixels that were not in the old bitmap are white.
  void setSize(int width, int height);

  void setPen(Colour c) { pen_ = c; }
  void setBrush(Colour c) { brush_ = c; }
  Colour pen() const { return pen_; }
  Colour brush() const { return brush_; }

  // The current point of line-to.
  void moveTo(int x, int y);
  // Paints the line from the current point up to, but not including, (x, y)
  // in the pen colour and makes (x, y) the current point.  The set of pixels
  // of a line does not depend on its direction (apart from the end pixel
  // left out), so a line drawn back over itself paints nothing new.
  void lineTo(int x, int y);

  // Filled polygon of three or four points: the interior (pixels whose centre
  // lies inside, even-odd rule) in the brush colour, then the closed outline
  // in the pen colour.  The current point does not move.  A triangle paints
  // the same pixels whatever the order of its corners.
  void polygon(PixelPoint a, PixelPoint b, PixelPoint c);
  void polygon(PixelPoint a, PixelPoint b, PixelPoint c, PixelPoint d);

  // The two halves of polygon(): the interior alone in the brush colour, and
  // one side with both its end pixels in the pen colour.  The outline of a
  // polygon is the union of its sides of nonzero length drawn this way (every
  // corner starts a side), which lets same-coloured polygons that share sides
  // draw each side once.
  void fillInterior(PixelPoint a, PixelPoint b, PixelPoint c);
  void fillInterior(PixelPoint a, PixelPoint b, PixelPoint c, PixelPoint d);
  void closedSegment(PixelPoint a, PixelPoint b);

  // The rectangle with corners (x1, y1) and (x2, y2), in either order, in the
  // brush colour: columns min(x)..max(x) - 1 and rows min(y)..max(y) - 1, so
  // that rectangles sharing an edge tile without overlap.
  void fillRect(int x1, int y1, int x2, int y2);

  // The whole bitmap in the brush colour.
  void fill();

  // Pixel (x, y); white outside the bitmap.
  Colour pixel(int x, int y) const;
  void setPixel(int x, int y, Colour c);

  // Rows of width() words, top row first.
  const Colour* bits() const { return pixels_.data(); }
  Colour* bits() { return pixels_.data(); }

  // Copies `source` onto this surface at (0, 0), as far as both reach.
  void copyFrom(const DrawingSurface& source);

private:
  // Closed segment a-b in the pen colour, leaving out the end point b when
  // skipEnd is set.
  void segment(PixelPoint a, PixelPoint b, bool skipEnd);
  void clippedSegment(PixelPoint a, PixelPoint b, bool skipFirst, bool skipLast);
  void fillSpan(int y, double from, double to);
  void fillPolygon(const PixelPoint* p, int n);
  void fillTriangle(const PixelPoint* p);
  void outline(const PixelPoint* p, int n);
  bool inside(PixelPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_; }

  int width_ = 0, height_ = 0;
  std::vector<Colour> pixels_;
  Colour pen_ = kBlack, brush_ = kWhite;
  PixelPoint current_{0, 0};
};

// Brush white and the whole bitmap filled with it: "fill the bitmap white".
void fillWhite(DrawingSurface& s);
