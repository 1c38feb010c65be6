#include "run/headless_stages.h"

#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/vectors.h"

void HeadlessStages::plotVectors() {
  findSpeedRange(m_.layout, m_.grids, m_.solution, m_.view, 0.9);
  showPlotCaption(observer_, drawVelocityVectors(m_.layout, m_.grids, m_.pixels, m_.solution,
                                                 m_.view, surfaces_.bitmap, 1));
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotPressure() {
  showPlotCaption(observer_, drawPressureMap(m_, surfaces_));
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotVorticity() {
  showPlotCaption(observer_, drawVorticityMap(m_, surfaces_));
}
