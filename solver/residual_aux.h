// Navier-Stokes residual and the two stages of the time step on one body's
// auxiliary O-grid, in the curvilinear coordinates xi (perimeter index p)
// and eta (radial layer r).
#pragma once
#include "solver/solver_state.h"

// bodyGridResidual: the main grid's scheme in
// curvilinear form on the points pFirst..pLast, rFirst..rLast of grid set s:
// contravariant convective fluxes (U = y_eta u - x_eta v along xi,
// V = x_xi v - y_xi u along eta), metric-weighted viscous and heat fluxes
// with viscosity mu2 = auxViscosityFactor uInf / reynolds (classic: twice the
// main grid's), a dissipation scale
// (J(a) + J(b)) / (tau(a) + tau(b)) from the directional measures
// tau_xi = |J| / (|U| + sqrt(1.4 (x_eta^2 + y_eta^2))) and
// tau_eta = |J| / (|V| + sqrt(1.4 (x_xi^2 + y_xi^2))), and the local time
// step dt = cflAux min(tau_eta, tau_xi) (globalTimeStep in a time-accurate
// run).  The area measure of the stage
// protocol is the signed Jacobian J of the point.
//
// Both stages work column by column in the eta-pass: stage 1 forms the
// intermediate state of column p before column p + 1 is processed, stage 2
// restores U^n column by column, so the cross terms of column p + 1 read
// column p already changed and column p + 2 not yet.  The ghost columns
// pFirst - 1 and pLast + 1 and the layers rFirst - 1 and rLast + 1 are read
// only.  Adds to the body-grid accumulators (bodySumXX, ...): bodyGridResidual is auxStages
// followed by sumAuxStageProducts.
void bodyGridResidual(const SolverState& m, int pFirst, int pLast, int rFirst, int rLast, int s,
                      double reynolds);

// The stages of bodyGridResidual without the inner products, on work planes in
// workArea (kAuxWorkPlaneCount planes of auxPlaneSize(pFirst, pLast) values)
// and the metric planes that loadAuxMetrics formed in metricArea.  It reads
// and writes only the records of the columns pFirst-1..pLast+1, so bodies,
// whose column ranges are apart, can run at once, each on a work area of its
// own.  With firstStageOnly, stage 1 alone: X in dq, and the updated points'
// state left at U^n + X.
void auxStages(const SolverState& m, int pFirst, int pLast, int rFirst, int rLast, int s,
               double reynolds, double* workArea, const double* metricArea,
               bool firstStageOnly = false);

// Work planes that auxStages changes, before the metric planes.
constexpr int kAuxWorkPlaneCount = kAuxPlaneCount - kAuxMetricPlaneCount;

// Forms the kAuxMetricPlaneCount metric planes of the columns pFirst-1..pLast+1,
// layers 1..bodyLayers, of grid set s in metricArea: the metrics, 0.5 / J and the
// sound lengths.  They stay valid until the metrics are computed again.
void loadAuxMetrics(const LayoutParameters& layout, const Grids& grids, int pFirst, int pLast,
                    int s, double* metricArea);

// Values in one work plane of the columns pFirst-1..pLast+1 (stride a
// column, auxPlaneStride(bodyLayers): the layers and their padding).
constexpr int auxPlaneSize(int pFirst, int pLast, int stride) {
  return (pLast - pFirst + 3) * stride;
}

// Adds the inner products (X,X), (X,Y), (Y,Y) of the stage values in dq and
// res of the points pFirst..pLast x rFirst..rLast to the body-grid accumulators (bodySumXX, ...),
// in point order (columns, then layers).
void sumAuxStageProducts(SolverScratch& scratch, FlowSolution& solution, int pFirst, int pLast,
                         int rFirst, int rLast, int s);
