#include "view/transform.h"

#include "view/outline.h"

#include <algorithm>

void Henkan_Scale(Model& m, const DrawingSurface& bitmap, WindowServices& ws) {
  m.particleState = 1;
  ws.setCheckBoxVisible(1, true);
  ws.setCheckBoxVisible(2, true);
  mapToPixels(m, bitmap);
  ws.setStatusText(1, "");
  ws.setStatusText(0, "");
}

void centreViewAtStart(Model& m) {
  m.viewCentreX = m.columnBody[m.nColumns][1].columnBodyX / 2 - 10;
}

void mapToPixels(Model& m, const DrawingSurface& bitmap) {
  const int cx = bitmap.width() / 2, cy = bitmap.height() / 2;
  // A square bitmap counts as not wider than high.
  const double y0 = bitmap.width() > bitmap.height() ? m.viewCentreY : m.viewCentreY - 20;
  const double xc = m.viewCentreX, scale = m.viewScale;
  auto pixX = [&](double x) { return (x - xc) * scale + cx; };
  auto pixY = [&](double y) { return -(y - y0) * scale + cy; };

  const int pEnd = m.nBodies >= 1 ? std::min(m.bodyLast[m.nBodies] + 1, kPerimeterCapacity) : 0;
  for (int r = 1; r <= m.wkNr; ++r)
    for (int p = 1; p <= pEnd; ++p) {
      AuxPoint& q = m.wk[p][r][1];
      q.wkPixX = pixX(q.wkX);
      q.wkPixY = pixY(q.wkY);
    }
  for (int i = 1; i <= m.ryNx; ++i)
    for (int j = 1; j <= m.ryNy; ++j) {
      MainPoint& q = m.ry[i][j];
      q.ryPixX = pixX(q.ryX);
      q.ryPixY = pixY(q.ryY);
    }
  for (int b = 1; b <= m.nBodies; ++b) {
    m.body[b].bodyPixX = pixX(m.body[b].bodyX);
    m.body[b].bodyPixY = pixY(m.body[b].bodyY);
  }
  for (int c = 1; c <= m.nColumns; ++c)
    for (int k = 1; k <= m.columnBodies[c]; ++k) {
      ColumnBodyPosition& q = m.columnBody[c][k];
      q.columnBodyPixX = pixX(q.columnBodyX);
      q.columnBodyPixY = pixY(q.columnBodyY);
    }
}

void changeView(Model& m, ViewSurfaces& s, WindowServices& ws, ViewChange change,
                bool wholeLayoutChosen) {
  fillWhite(s.bitmap);
  switch (change) {
  case ViewChange::centreXPlus:
    m.viewCentreX = m.viewCentreX + 4;
    break;
  case ViewChange::centreXMinus:
    m.viewCentreX = m.viewCentreX - 4;
    break;
  case ViewChange::centreYPlus:
    m.viewCentreY = m.viewCentreY + 4;
    break;
  case ViewChange::centreYMinus:
    m.viewCentreY = m.viewCentreY - 4;
    break;
  case ViewChange::zoomOut:
    m.viewScale = m.viewScale / 1.05;
    break;
  case ViewChange::zoomIn:
    m.viewScale = m.viewScale * 1.05;
    break;
  }
  Henkan_Scale(m, s.bitmap, ws);
  Draw_Waku2(m, s.bitmap, wholeLayoutChosen);
  s.copyBitmapToWindow();
}
