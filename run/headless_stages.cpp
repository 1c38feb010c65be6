#include "run/headless_stages.h"

#include "view/colour_scale.h"
#include "view/field_maps.h"
#include "view/vectors.h"

void HeadlessStages::plotVectors() {
  Max_RyuV(m_, 0.9);
  Draw_Vec_RY(m_, surfaces_.bitmap, ws_, 1);
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotPressure() {
  draw_pres(m_, surfaces_, ws_);
  surfaces_.copyBitmapToWindow();
}

void HeadlessStages::plotVorticity() {
  draw_omeg(m_, surfaces_, ws_);
}
