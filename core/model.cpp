#include "core/model.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

void* Model::operator new(std::size_t size) {
  constexpr std::size_t kLargePage = std::size_t(2) << 20;
  const std::size_t rounded = (size + kLargePage - 1) / kLargePage * kLargePage;
  void* p = std::aligned_alloc(kLargePage, rounded);
  if (!p) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(p, rounded, MADV_HUGEPAGE); // advice only: a refusal changes nothing
#endif
  return p;
}

void Model::operator delete(void* p) noexcept {
  std::free(p);
}

std::unique_ptr<Model> makeModel() {
  // Value-initialisation of an aggregate zero-fills every member.
  return std::make_unique<Model>();
}

void sizeMainGrid(Model& m, int nx, int ny) {
  m.grids.mainGrid.resize(nx + 1, ny + 1);
  m.solution.mainFlow.resize(nx + 1, ny + 1);
  m.coupling.mainHoleFlag.resize(nx + 1, ny + 1);
}

void sizeBodyGrids(Model& m, int lastIndex) {
  m.grids.bodyGrid.resize(lastIndex + 1, kLayerSlots + 1, kGridSets + 1);
  m.solution.bodyFlow.resize(lastIndex + 1, kLayerSlots + 1, kGridSets + 1);
  m.grids.bodyMetric.resize(lastIndex + 1, kLayerSlots + 1, kGridSets + 1);
  m.grids.bodySoundLength.resize(lastIndex + 1, kLayerSlots + 1, kGridSets + 1);
}

void setStartupLayout(LayoutParameters& m) {
  m.nColumns = 5;
  m.bodyLayers = 10;
  m.bodyGridThickness = 6.2;
  m.ellipseRatio = 2.0;
  m.layoutRotation = 0;
  m.channel = {};
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
  setStartupLayout(m.layout);
  m.editing.maxColumns = 6;
  m.editing.maxColumnBodies = 5;
  m.editing.selectedColumn = 1;
  m.editing.selectAllColumns = true;
  m.editing.programVersion = 1.609;
  setStartupView(m.view);
}

void setStartupView(ViewState& view) {
  view.viewCentreX = 50;
  view.viewCentreY = 0;
  view.viewScale = 2.95;
}
