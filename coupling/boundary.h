// Boundary conditions of the channel and the bodies, and the transfer of
// flow values between the overlapping grids.
#pragma once
#include "core/model.h"

// applyBoundaryConditions: the last stage of every time step.  In this order:
//  1. body surfaces (r = bodyLayers): p and rho extrapolated with zero normal
//     gradient to second order, (4 f(r-1) - f(r-2)) / 3, E = 2.5 p (the wall
//     does not move); outer edges (r = 1) copied from layer 2, for every
//     perimeter index 1..bodyPerimeterPoints;
//  2. right column of the main grid: the same extrapolation as a wall;
//  3. interpolateLinkedPoints, the transfer between the grids;
//  4. inflow, left column: p relaxed towards the interior, 0.7 p(1) + 0.3 p(2),
//     held at 0.1 or more; isentropic density (p / entropyRef)^(1/1.4);
//     u = uInf, or the parabolic profile of mean uInf between the walls
//     (inflowSpeedAtRow), times inflowRampAt at the time the step reaches; E = 0.5 rho v^2 + 2.5 p
//     (no u^2 term, as at the start);
//  5. outlet rows outletLow..outletHigh of the right column (its middle third,
//     or all rows between the walls): p = 1 with the interior's entropy,
//     velocity copied from column mainNx - 1;
//  With non-reflecting ends (layout.channel.ends) steps 4 and 5 set the
//  characteristic invariants instead (boundary.cpp: the incoming one relaxed
//  towards u = the inflow profile or p = 1, the outgoing ones from the column
//  inside), and step 2 leaves the outlet rows, whose last values they read;
//  6. seams of every auxiliary ring: the two copies of the seam point
//     averaged, the ghost columns set to their periodic partners;
//  7. bottom wall and 8. top wall as in step 2 (after the inflow, so the
//     corners end with the wall values and u = uInf).
// Velocities of wall points are never written: they keep the zero of the
// initial state.
void applyBoundaryConditions(const LayoutParameters& layout, const SolverConstants& constants,
                             const Grids& grids, const CouplingTables& coupling,
                             FlowSolution& solution);

// The inflow speed of row j of the left column: uInf for a uniform inflow,
// 1.5 uInf 4 (y - y0)(y1 - y) / H^2 between the bottom row y0 and the top
// row y1 (H = y1 - y0) for a parabolic one.
double inflowSpeedAtRow(const SolverConstants& constants, const Grids& grids,
                        const LayoutParameters& layout, int j);

// The share of the inflow speed at flow time t (solver units) of a
// time-accurate run with a start time (core/channel_conditions.h, startRamp
// over startTime / uInf); 1 in a run with local steps or without one.
double inflowRampAt(const LayoutParameters& layout, const SolverConstants& constants, double t);

// interpolateLinkedPoints: for every link of mainFromBody, then bodyFromMain,
// then bodyFromBody, in list order, the receiver's rho, u, v, E, p become the
// bilinear interpolation of its donor cell's corners with weights
// (1-s)(1-t), s(1-t), st, (1-s)t, and its energy is then refreshed from
// rho, u, v, p.  A later link whose donor cell holds an earlier receiver
// reads the value just written.
void interpolateLinkedPoints(const CouplingTables& coupling, FlowSolution& solution);
