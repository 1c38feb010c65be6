// The texts of the coupling set-up's modal messages, in one place and in
// every language of the catalogue (core/messages.h).  Each is followed by a
// number in plain decimal.
#pragma once

#include "core/messages.h"

namespace couplingText {
// "The model is too large": the main-grid receiver list (findMainGridLinks), the
// outer-edge list fed by the main grid and the one fed by other bodies
// (findOuterEdgeLinks).
inline const Message tooLargeR1{
    {"  モデル規模が大き過ぎです。R-1", ""},
    {"  The model is too large for the links from the main grid (R-1): ", ""}};
inline const Message tooLargeR2{
    {"  モデル規模が大き過ぎです。R-2 ", ""},
    {"  The model is too large for the outer-edge links from the main grid (R-2): ", ""}};
inline const Message tooLargeR22{
    {"  モデル規模が大き過ぎです。R-22 ", ""},
    {"  The model is too large for the outer-edge links between bodies (R-22): ", ""}};
// Too many hole points for the hole list (cutHoles).
inline const Message tooManyHoles{{"ERROR ERROR N_Pipe = ", ""},
                                  {"Too many hole points for the hole list: ", ""}};
// A cell of an auxiliary grid whose Jacobian is zero or not a number; the
// argument is p-r-s-jacobian.
inline const Message degenerateCell{
    {"Metric_Yaco2--", ""}, {"Degenerate cell of an auxiliary grid, p-r-s-Jacobian = ", ""}};
} // namespace couplingText
