// Forces of the flow on the bodies and the channel's pressure drop, read from
// the flow state after a run (or at any step of it).  Reads the layout,
// the solver's constants, the grids and the flow only.
//
// All in the solver's units: lengths of 16 layout units, the free stream at
// density 1, pressure 1 and speed uInf; forces per unit span.
#pragma once
#include "core/model.h"

#include <vector>

struct Force {
  double fx, fy;
};

// The force of the fluid on body b, from the body's surface, the wall layer
// r = bodyLayers of its auxiliary grid, taken as the closed polygon of its points
// bodyFirst..bodyLast (bodyLast closes it on bodyFirst):
//   F = ∮ (-p I + τ) n dS,
// n the unit normal out of the body into the fluid.  Quadrature: the
// trapezoid rule on each straight edge of the polygon, exact for a traction
// that varies linearly along the edge; gathered per point, point k carries
// half of the outward normals-times-lengths of its two edges.
// The viscous stress is that of the auxiliary grids' residual,
//   τxx = μ (4/3 ux − 2/3 vy),  τyy = μ (−2/3 ux + 4/3 vy),  τxy = μ (uy + vx),
// with their viscosity μ = auxViscosityFactor uInf / reynolds (classic
// 2 uInf / reynolds), and the velocity gradient at a
// wall point from the grid's metrics: central differences along the wall
// (through the ghost columns), one-sided second-order differences across the
// layers, (3 f_r − 4 f_{r−1} + f_{r−2}) / 2 at r = bodyLayers.
Force pressureForce(const LayoutParameters& layout, const Grids& grids,
                    const FlowSolution& solution, int b);
Force viscousForce(const LayoutParameters& layout, const SolverConstants& constants,
                   const Grids& grids, const FlowSolution& solution, int b);

// +1 when body b's perimeter index runs anticlockwise (y upwards), -1 when
// clockwise.
double orientationOf(const LayoutParameters& layout, const Grids& grids, int b);

// The share of the outward normal times length that surface point p of body
// b carries, half of each of its two edges' (orientation: orientationOf):
// half the chord from the point before to the point after, turned out of the
// body.  Point bodyFirst's edge before it runs from bodyLast - 1.
Force pointNormal(const LayoutParameters& layout, const Grids& grids, int b, int p,
                  double orientation);

// The viscous stress at wall point p (layer bodyLayers) of viscosity mu, from the
// velocity gradient of the auxiliary grid's metrics, as the forces take it.
struct Stress {
  double xx, xy, yy;
};
Stress wallStress(const LayoutParameters& layout, const SolverConstants& constants,
                  const Grids& grids, const FlowSolution& solution, int p, double mu);

// The area enclosed by body b's surface polygon (positive), in solver units.
double surfaceArea(const LayoutParameters& layout, const Grids& grids, int b);

struct BodyForces {
  int column, body, shape; // column c, body k of that column, shape code
  double cd, cl;           // Fx, Fy over ½ ρ∞ uInf² D, D = bodySize / 16
  // The parts of cd and cl from the pressure and from the viscous stress.
  double cdPressure, cdViscous, clPressure, clViscous;
};

struct FlowForces {
  std::vector<BodyForces> bodies; // in body order (column by column)
  // Mean pressure over the rows of the inflow column (i = 1) minus the mean
  // over the outlet rows outletLow..outletHigh of the right column.
  double pressureDrop;
};

// The reference quantities of the coefficients and the viscosities of the
// run, in the solver's units (length 16 layout units): ρ∞ = 1, U∞, the
// main grid's μ = U∞ / Re and the body grids' (twice that, classic, or the
// same), and the Reynolds and Mach numbers.  D is each body's size / 16.
struct ReferenceQuantities {
  double rhoInf, uInf, mainViscosity, bodyViscosity, reynolds, mach;
};
ReferenceQuantities referenceQuantities(const SolverConstants& constants);

// Cd and Cl of body b, as flowForces gives them; allocates nothing (the
// force history records it after every step).
ForceSample forceSample(const LayoutParameters& layout, const SolverConstants& constants,
                        const Grids& grids, const FlowSolution& solution, int b);

// Drag and lift coefficients of every body, with ρ∞ = 1 and the total
// (pressure and viscous) force, and the channel's pressure drop.
FlowForces flowForces(const LayoutParameters& layout, const SolverConstants& constants,
                      const Grids& grids, const FlowSolution& solution);
