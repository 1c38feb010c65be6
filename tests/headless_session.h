// A model as the main window's creation leaves it (start-up layout, grids,
// view centre, pixel positions), with the stages of a run without a window.
#pragma once

#include "layout/grid_making.h"
#include "run/headless_stages.h"
#include "view/surfaces.h"
#include "view/transform.h"

#include "fake_window_services.h"

#include <memory>

struct HeadlessSession {
  std::unique_ptr<Model> m = makeModel();
  FakeWindowServices ws;
  ViewSurfaces s;
  HeadlessStages stages{*m, s, ws};

  HeadlessSession() {
    setStartupDefaults(m->layout, m->editing, m->view);
    rebuildGrids(*m);
    centreViewAtStart(m->layout, m->grids, m->view);
    placeLayoutOnBitmap(m->layout, m->grids, m->view, m->pixels, s.bitmap);
  }
};
