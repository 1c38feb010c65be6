// The colour scale shared by every coloured plot: a range [scaleLow,
// scaleHigh] found from the flow, the level table levelValue[0..10] dividing
// it into ten equal bins, and the ramp blue - cyan - yellow - red, linear in
// each third of the range, that turns a value into a colour 0x00BBGGRR.
//
// Values that are not finite (a diverged run) take no part in a range.
#pragma once

#include "core/model.h"
#include "view/surface.h"

// findScaleRange: range and levels of flow slot c over both
// grids.  Main-grid points count where dt > 0 (the points the solver
// updates), for i = 2..mainNx (2..mainNx - 10 for the vorticity, c = 1, whose
// last columns near the outlet would dominate); auxiliary points of every
// body count without a mask.  The search starts from low = 100, high = -100.
// A range with a negative low end (vorticity) is halved, so that the weaker
// structures get the colours and the strongest cores take the end colours.
void findScaleRange(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, ViewState& view, int c);

// findSpeedRange: range and levels of the speed: scaleLow = 0, scaleHigh = f times
// the largest speed √(u² + v²) over the main grid (i = 2..mainNx - 10,
// j = 2..mainNy, dt > 0) and the auxiliary grids (where omega > 0, the vorticity
// of the last vorticity map), at least f·1e-5.
void findSpeedRange(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, ViewState& view, double f);

// The level table from scaleLow and scaleHigh: levelValue[k] =
// levelValue[k-1] + (scaleHigh - scaleLow)/10, the step added nine times.
void defineLevels(ViewState& view);

// setScaleBrush: the ramp colour of v on the model's scale,
// made the brush and the pen of the bitmap.  Blue at and below
// scaleLow, cyan at t1 = (hi + 2·lo)/3, yellow at t2 = (2·hi + lo)/3, red at
// and above scaleHigh; each comparison is strict.  A zero-width range gives
// red above it.
void setScaleBrush(const ViewState& view, DrawingSurface& bitmap, double v);
// The ramp colour of v on the range [lo, hi], as setScaleBrush chooses it,
// without touching the model or a bitmap.
Colour scaleColour(double lo, double hi, double v);

// clampedColour: r | g << 8 | b << 16 with each argument clamped to 0..255.
Colour clampedColour(int r, int g, int b);
