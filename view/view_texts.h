// The texts the plots write into the main window's status bar and messages,
// gathered for review, in every language of the catalogue (core/messages.h).
// Full-width blanks are part of the Japanese texts.
#pragma once

#include "core/messages.h"

inline const Message kTextVorticityMap{{"　渦度分布図"}, {"  Vorticity"}};
inline const Message kTextPressureMap{{"　圧力分布図"}, {"  Pressure"}};
inline const Message kTextDensityMap{{"　密度分布図"}, {"  Density"}};
inline const Message kTextVelocityVectors{{"　速度ベクトル図"}, {"  Velocity vectors"}};
// Followed by p-r-g of a donor cell whose coordinates were never filled.
inline const Message kTextLinkCheck{{"by_l_r1_aaaaaaa", ""},
                                    {"Link check: donor cell never filled, p-r-g = ", ""}};
