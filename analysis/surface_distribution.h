// The distribution of pressure and wall shear stress along each body's
// surface, read from the flow after a run: what tells where the flow
// presses, where it drags and where it leaves the wall.  Reads the layout,
// the solver's constants, the grids and the flow only.
//
// The surface is the polygon the forces integrate on (analysis/forces.h):
// the wall layer r = bodyLayers of the body's auxiliary grid, points
// bodyFirst..bodyLast - 1.  It is walked from the front, the point where the
// ray from the body's centre against the inflow (towards −x) meets it, over
// the upper side (y greater than the centre's) to the back and under the
// lower side home: clockwise as the screen shows it.  Two coordinates along
// it, both from that front point:
//   s      the length along the polygon, layout units, 0 <= s < perimeter;
//   angle  the angle about the body's centre, degrees from the upstream
//          direction, 90 at the top, 180 at the back, 270 at the bottom.
// The front is fixed by the geometry, not by the flow: where the flow
// stagnates moves with the lift and with neighbours, and a fixed origin
// keeps runs comparable; for a body symmetric about the inflow direction in
// a symmetric flow it is the stagnation point.  The angle suits the round
// bodies; the length suits the plate and the flat ellipses, whose long
// sides take only a few degrees of angle.
//
// The coefficients use the forces' reference quantities (referenceQuantities):
// ρ∞ = 1, U∞ the inflow speed, p∞ = 1 (solver units), so
//   Cp = (p − p∞) / (½ ρ∞ U∞²),   Cf = τw / (½ ρ∞ U∞²),
//   τw = t · (τ n),
// τ the viscous stress the forces take (body grids' viscosity), n the unit
// normal out of the body into the fluid and t the unit tangent in the
// walking direction.  At a wall that holds the fluid, τw = μ ∂(u·t)/∂n: it is
// positive where the fluid next to the wall moves in the walking direction.
#pragma once
#include "core/model.h"

#include <vector>

struct SurfacePoint {
  int perimeterIndex; // p of the auxiliary grid
  double x, y;        // layout units
  double s, angle;    // along the surface from the front, layout units and degrees
  double cp, cf;      // pressure and wall shear stress coefficients
  double wallShear;   // τw, solver units
};

// A point where τw changes sign between two neighbouring surface points, at
// the zero of the straight line through their τw (s and angle interpolated
// the same way).  Separation where the wall flow runs towards the point from
// both sides (τw > 0 before it, < 0 after it, in the walking direction),
// reattachment where it runs away from it to both sides (the front
// stagnation point of a body is one).
struct WallShearZero {
  double s, angle;
  bool separation;
};

struct SurfaceDistribution {
  double perimeter;                 // layout units
  std::vector<SurfacePoint> points; // in walking order from the front
  std::vector<WallShearZero> zeros; // in walking order
};

// Body b's distribution, b = 1..nBodies.
SurfaceDistribution surfaceDistribution(const LayoutParameters& layout,
                                        const SolverConstants& constants, const Grids& grids,
                                        const FlowSolution& solution, int b);

// The sign changes of τw around a closed surface of the given perimeter
// whose points are in walking order (the edge from the last point back to
// the first included; points where τw is exactly 0 are passed over).
std::vector<WallShearZero> wallShearZeros(const std::vector<SurfacePoint>& points,
                                          double perimeter);
