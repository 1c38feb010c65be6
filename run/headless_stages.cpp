#include "run/headless_stages.h"

#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/vectors.h"

void HeadlessStages::plotVectors() {
  findSpeedRange(m_, 0.9);
  drawVelocityVectors(m_, surfaces_.bitmap, ws_, 1);
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotPressure() {
  drawPressureMap(m_, surfaces_, ws_);
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotVorticity() {
  drawVorticityMap(m_, surfaces_, ws_);
}
