#include "core/model.h"

std::unique_ptr<Model> makeModel() {
  // Value-initialisation of an aggregate zero-fills every member.
  return std::make_unique<Model>();
}

void setStartupLayout(LayoutParameters& m) {
  m.nColumns = 5;
  m.wkNr = 10;
  m.wkThickness = 6.2;
  m.ellipseRatio = 2.0;
  m.layoutRotation = 0;
  for (int c = 1; c <= 7; ++c) {
    m.columnSpacing[c] = 26;
    m.columnGap[c] = 26;
  }
  const int bodies[kColumnSlots + 1] = {0, 3, 2, 3, 2, 3, 2, 3, 2};
  for (int c = 1; c <= kColumnSlots; ++c) {
    m.columnBodies[c] = bodies[c];
    for (int k = 1; k <= 7; ++k) {
      m.layoutSize[c][k] = 14;
      m.layoutShape[c][k] = shape::circle;
      m.layoutAngle[c][k] = 0;
    }
  }
}

void setStartupDefaults(Model& m) {
  setStartupLayout(m.layout());
  m.maxColumns = 6;
  m.maxColumnBodies = 5;
  m.selectedColumn = 1;
  m.selectAllColumns = true;
  m.programVersion = 1.609;
  m.viewCentreX = 50;
  m.viewCentreY = 0;
  m.viewScale = 2.95;
}
