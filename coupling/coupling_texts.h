// The texts of the coupling set-up's modal messages, in one place.  Each is
// followed by a number in plain decimal.
#pragma once

namespace couplingText {
// "The model is too large": the main-grid receiver list (By_L_R1), the
// outer-edge list fed by the main grid and the one fed by other bodies
// (By_L_R2).
inline constexpr const char *tooLargeR1 = "  モデル規模が大き過ぎです。R-1";
inline constexpr const char *tooLargeR2 = "  モデル規模が大き過ぎです。R-2 ";
inline constexpr const char *tooLargeR22 = "  モデル規模が大き過ぎです。R-22 ";
// Too many hole points for the hole list (Remove_Pipe_3).
inline constexpr const char *tooManyHoles = "ERROR ERROR N_Pipe = ";
} // namespace couplingText
