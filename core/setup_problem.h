// What grid making and the coupling set-up find wrong with a layout, as they
// return it: the kind and the numbers its message names.  The window shows
// problemText as a modal message, the batch prints it.
#pragma once

#include "core/messages.h"

#include <array>
#include <string>

struct SetupProblem {
  enum class Kind {
    tooManyPerimeterPoints, // needed, capacity
    tooManyMainPoints,      // nx, ny, capacity along x, along y
    bodiesOverlap,          // column and body of one, column and body of the other
    bodyOutsideChannel,     // column and body
    bodyNearChannelEdge,    // column and body; the body grids' thickness in `length`
    degenerateCell,         // p, r, s of the point; the Jacobian
    tooManyMainGridLinks,   // links found so far (the main-grid receivers)
    tooManyLinksFromMain,   // outer-edge links from the main grid
    tooManyLinksFromBodies, // outer-edge links from other bodies' grids
    tooManyHoles,           // hole points found
  };
  Kind kind;
  std::array<int, 4> numbers{};
  double jacobian = 0;
  double length = 0; // layout units

  bool operator==(const SetupProblem&) const = default;
};

// The message of a problem in the given language.
std::string problemText(const SetupProblem& problem, Language language);
