// The texts the plots write into the main window's status bar and messages,
// gathered for review, in every language of the catalogue (core/messages.h).
// Full-width blanks are part of the Japanese texts.
#pragma once

#include "core/messages.h"

inline const Message kTextVorticityMap{{"　渦度分布図"}, {"  Vorticity"}};
inline const Message kTextPressureMap{{"　圧力分布図"}, {"  Pressure"}};
inline const Message kTextDensityMap{{"　密度分布図"}, {"  Density"}};
inline const Message kTextVelocityVectors{{"　速度ベクトル図"}, {"  Velocity vectors"}};
// Arguments: p-r-g of the donor cell of the first link that fails the
// check, then how many failed: "by_l_r1_aaaaaaa12-3-1（不合格のリンク 5 本）".
inline const Message kTextLinkCheck{
    {"by_l_r1_aaaaaaa", "（不合格のリンク ", " 本）"},
    {"Link check: the first failing link's donor cell p-r-g = ", " (", " links failed)"}};
// The link lists were made for the grids of an earlier layout.
inline const Message kTextLinksOfOtherGrids{
    {"補間リンクは現在の格子のものではありません（配置の変更後、まだ計算していません）。確認は行い"
     "ません。"},
    {"The interpolation links do not belong to the grids on screen (the layout has changed "
     "since the last run). Nothing is checked."}};
