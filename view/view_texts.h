// The texts the plots write into the main window's status bar and messages,
// gathered for review.  Full-width blanks are part of them.  They are strings
// made once, so that a plot hands them over without building one.
#pragma once

#include <string>

inline const std::string kTextVorticityMap = "　渦度分布図";
inline const std::string kTextPressureMap = "　圧力分布図";
inline const std::string kTextDensityMap = "　密度分布図";
inline const std::string kTextVelocityVectors = "　速度ベクトル図";
// Followed by p-r-g of a donor cell whose coordinates were never filled.
inline const std::string kTextLinkCheck = "by_l_r1_aaaaaaa";
