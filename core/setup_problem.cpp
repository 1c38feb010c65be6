#include "core/setup_problem.h"

#include <cstdio>

namespace {

// The messages, in every language of the catalogue (core/messages.h).
namespace text {
// Grid making: a layout too large for the arrays.  The perimeter points needed
// and the capacity.
const Message tooManyPerimeterPoints{
    {"モデル規模が大き過ぎます。補助格子の周方向点数 = ", "　（上限 ", "）"},
    {"The model is too large: the auxiliary grids need ", " points around the bodies (limit ",
     ")."}};
// The main grid's nx and ny, then the capacities.
const Message tooManyMainPoints{
    {"モデル規模が大き過ぎます。主格子の点数 = ", " × ", "　（上限 ", " × ", "）"},
    {"The model is too large: the main grid needs ", " × ", " points (limit ", " × ", ")."}};
// Column and body of one body, then column and body of the other.
const Message bodiesOverlap{
    {"列 ", " の物体 ", " と列 ", " の物体 ", " が重なっています。この配置にはできません。"},
    {"Column ", ", body ", " and column ", ", body ", " overlap: the layout cannot be made."}};
// Column and body.
const Message bodyOutsideChannel{
    {"列 ", " の物体 ", " が流路からはみ出しています。この配置にはできません。"},
    {"Column ", ", body ", " reaches out of the channel: the layout cannot be made."}};
// Column and body, then the thickness of the body grids.
const Message bodyNearChannelEdge{
    {"列 ", " の物体 ", " が流路の壁・入口・出口に近過ぎます（補助格子の厚さ ",
     " より近い）。この流路にはできません。"},
    {"Column ", ", body ",
     " is closer to a wall, the inflow or the outlet than its grid's thickness (",
     "): the channel cannot be made."}};

// The coupling set-up, each followed by a number in plain decimal.  "The
// model is too large": the main-grid receiver list, the outer-edge list fed
// by the main grid and the one fed by other bodies.
const Message tooLargeR1{{"  モデル規模が大き過ぎです。R-1", ""},
                         {"  The model is too large for the links from the main grid (R-1): ", ""}};
const Message tooLargeR2{
    {"  モデル規模が大き過ぎです。R-2 ", ""},
    {"  The model is too large for the outer-edge links from the main grid (R-2): ", ""}};
const Message tooLargeR22{
    {"  モデル規模が大き過ぎです。R-22 ", ""},
    {"  The model is too large for the outer-edge links between bodies (R-22): ", ""}};
// Too many hole points for the hole list.
const Message tooManyHoles{{"ERROR ERROR N_Pipe = ", ""},
                           {"Too many hole points for the hole list: ", ""}};
// A cell of an auxiliary grid whose Jacobian is zero or not a number; the
// argument is p-r-s-jacobian.
const Message degenerateCell{{"Metric_Yaco2--", ""},
                             {"Degenerate cell of an auxiliary grid, p-r-s-Jacobian = ", ""}};
} // namespace text

} // namespace

std::string problemText(const SetupProblem& problem, Language language) {
  const auto& n = problem.numbers;
  auto num = [&](int k) { return std::to_string(n[k]); };
  using Kind = SetupProblem::Kind;
  switch (problem.kind) {
  case Kind::tooManyPerimeterPoints:
    return text::tooManyPerimeterPoints(language, {num(0), num(1)});
  case Kind::tooManyMainPoints:
    return text::tooManyMainPoints(language, {num(0), num(1), num(2), num(3)});
  case Kind::bodiesOverlap:
    return text::bodiesOverlap(language, {num(0), num(1), num(2), num(3)});
  case Kind::bodyOutsideChannel:
    return text::bodyOutsideChannel(language, {num(0), num(1)});
  case Kind::bodyNearChannelEdge: {
    char length[32];
    std::snprintf(length, sizeof length, "%g", problem.length);
    return text::bodyNearChannelEdge(language, {num(0), num(1), length});
  }
  case Kind::degenerateCell: {
    // Integers in plain decimal; the Jacobian in the shortest general form
    // with up to 15 significant digits.  A Jacobian of −0 reads "0".
    const double jac = problem.jacobian == 0 ? 0.0 : problem.jacobian;
    char number[40];
    std::snprintf(number, sizeof number, "%.15g", jac);
    return text::degenerateCell(language, {num(0) + "-" + num(1) + "-" + num(2) + "-" + number});
  }
  case Kind::tooManyMainGridLinks:
    return text::tooLargeR1(language, {num(0)});
  case Kind::tooManyLinksFromMain:
    return text::tooLargeR2(language, {num(0)});
  case Kind::tooManyLinksFromBodies:
    return text::tooLargeR22(language, {num(0)});
  case Kind::tooManyHoles:
    return text::tooManyHoles(language, {num(0)});
  }
  return {};
}
