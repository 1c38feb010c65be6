#include "core/model.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

void* allocateLargePages(std::size_t bytes) {
  constexpr std::size_t kLargePage = std::size_t(2) << 20;
  if (bytes < kLargePage / 2) {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) throw std::bad_alloc();
    return p;
  }
  const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
  void* p = std::aligned_alloc(kLargePage, rounded);
  if (!p) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(p, rounded, MADV_HUGEPAGE); // advice only: a refusal changes nothing
#endif
  return p;
}

void freeLargePages(void* p) noexcept {
  std::free(p);
}

void* Model::operator new(std::size_t size) {
  return allocateLargePages(size);
}

void Model::operator delete(void* p) noexcept {
  freeLargePages(p);
}

std::unique_ptr<Model> makeModel() {
  // Value-initialisation of an aggregate zero-fills every member.
  return std::make_unique<Model>();
}

void sizeMainGrid(Grids& grids, GridPixels& pixels, CouplingTables& coupling,
                  FlowSolution& solution, SolverScratch& scratch, int nx, int ny) {
  grids.mainGrid.resize(nx + 1, ny + 1);
  pixels.main.resize(nx + 1, ny + 1);
  solution.mainFlow.resize(nx + 1, ny + 1);
  coupling.mainHoleFlag.resize(nx + 1, ny + 1);
  // The work planes hold no values from step to step that a new size must keep.
  const std::size_t planes = std::size_t(kMainPlaneCount) * mainPlaneSize(nx, ny);
  if (scratch.mainPlanes.size() != planes) PlaneBuffer(planes).swap(scratch.mainPlanes);
}

void sizeBodyGrids(const LayoutParameters& layout, Grids& grids, GridPixels& pixels,
                   FlowSolution& solution, SolverScratch& scratch, int lastIndex) {
  const int layers = layout.bodyLayers + 1;
  grids.bodyGrid.resize(lastIndex + 1, layers, kGridSets + 1);
  pixels.body.resize(lastIndex + 1, layers, kGridSets + 1);
  solution.bodyFlow.resize(lastIndex + 1, layers, kGridSets + 1);
  grids.bodyMetric.resize(lastIndex + 1, layers, kGridSets + 1);
  grids.bodySoundLength.resize(lastIndex + 1, layers, kGridSets + 1);
  // One body's planes at a time cover at most the columns 0..lastIndex + 1;
  // every body's metric planes cover its columns and one on either side.
  const std::size_t stride = auxPlaneStride(layout.bodyLayers);
  const std::size_t work = kAuxPlaneCount * (lastIndex + 2) * stride;
  const std::size_t metrics = kAuxMetricPlaneCount * (lastIndex + 2 * kBodySlots) * stride;
  if (scratch.bodyPlanes.size() != work) PlaneBuffer(work).swap(scratch.bodyPlanes);
  if (scratch.bodyMetricPlanes.size() != metrics) {
    PlaneBuffer(metrics).swap(scratch.bodyMetricPlanes);
    scratch.bodyMetricPlanesGeneration = -1; // formed again before the next step
  }
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

void setStartupDefaults(LayoutParameters& layout, LayoutEditing& editing, ViewState& view) {
  setStartupLayout(layout);
  editing.maxColumns = 6;
  editing.maxColumnBodies = 5;
  editing.selectedColumn = 1;
  editing.selectAllColumns = true;
  editing.programVersion = 1.609;
  setStartupView(view);
}

void setStartupView(ViewState& view) {
  view.viewCentreX = 50;
  view.viewCentreY = 0;
  view.viewScale = 2.95;
}
