// The texts the plots write into the main window's status bar and messages,
// gathered for review.  Full-width blanks are part of them.
#pragma once

inline constexpr const char* kTextVorticityMap = "　渦度分布図";
inline constexpr const char* kTextPressureMap = "　圧力分布図";
inline constexpr const char* kTextDensityMap = "　密度分布図";
inline constexpr const char* kTextVelocityVectors = "　速度ベクトル図";
// Followed by p-r-g of a donor cell whose coordinates were never filled.
inline constexpr const char* kTextLinkCheck = "by_l_r1_aaaaaaa";
