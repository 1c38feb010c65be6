// The two surfaces of the main window: the view bitmap that every plot draws
// into, and the window surface, the picture the window shows.  "Copy the
// bitmap to the window" is a copy from the first to the second at (0, 0).  The
// particle animation draws between its frames straight onto the window
// surface (drawBodiesOnWindow, drawCrossOnWindow).  The desktop program owns one of these
// and shows `window`; a headless run owns one and never shows it.
#pragma once

#include "view/surface.h"

// The window's default outer size, which the view bitmap takes at creation.
inline constexpr int kDefaultBitmapWidth = 700;
inline constexpr int kDefaultBitmapHeight = 452;

struct ViewSurfaces {
  DrawingSurface bitmap{kDefaultBitmapWidth, kDefaultBitmapHeight};
  DrawingSurface window{kDefaultBitmapWidth, kDefaultBitmapHeight};

  void copyBitmapToWindow() { window.copyFrom(bitmap); }
  // Both surfaces to the window's new size, keeping their pictures.
  void setSize(int width, int height) {
    bitmap.setSize(width, height);
    window.setSize(width, height);
  }
};
