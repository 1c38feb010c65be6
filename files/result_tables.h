// The convergence and force histories and the forces table of a run as
// and the bodies' surface distributions as
// comma-separated text (RFC 4180, a header line first, numbers in the
// shortest form that reads back to the same double), for the batch's
// history.csv and forces.csv and the window's "CSV で保存…".
#pragma once

#include "core/model.h"

#include <QByteArray>

// One line per step taken:
//   step,densityResidual,largestSpeed,time,cd_1,cl_1,cd_2,cl_2,...
// bodies numbered in body order (column by column, lowest first), time the
// flow time in D/U∞ (D = 16 layout units), 0 with local time steps.
QByteArray historyCsv(const SolverConstants& constants, const Grids& grids,
                      const FlowSolution& solution);

// One line per body, the forces after the last step and the statistics of
// its force history (analysis/force_history.h, cycleStatistics over the
// settle window):
//   column,body,shape,cd,cl,cdPressure,cdViscous,clPressure,clViscous,
//   cdMean,clMean,clAmplitude,period,strouhal
// period (steps) empty when the lift does not oscillate, strouhal empty
// unless time-accurate.
QByteArray forcesCsv(const LayoutParameters& layout, const SolverConstants& constants,
                     const Grids& grids, const FlowSolution& solution, int settleWindow);

// One line per surface point of every body (analysis/surface_distribution.h),
// body by body, each walked clockwise from its front:
//   body,index,x,y,s,angle,cp,cf
// index 1.. along the walk, x, y and s in layout units, angle in degrees
// from the upstream direction.
QByteArray surfaceCsv(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, const FlowSolution& solution);
