// The texts the plots write into the main window's status bar and messages,
// gathered for review.  Full-width blanks are part of them.  They are strings
// made once, so that a plot hands them over without building one.
#pragma once

#include <string>

inline const std::string kTextVorticityMap = "　渦度分布図";
inline const std::string kTextPressureMap = "　圧力分布図";
inline const std::string kTextDensityMap = "　密度分布図";
inline const std::string kTextVelocityVectors = "　速度ベクトル図";
// Followed by p-r-g of the donor cell of the first link that fails the check,
// then by how many failed: "by_l_r1_aaaaaaa12-3-1（不合格のリンク 5 本）".
inline const std::string kTextLinkCheck = "by_l_r1_aaaaaaa";
inline const std::string kTextLinkCheckCount = "（不合格のリンク ";
inline const std::string kTextLinkCheckCountEnd = " 本）";
// The link lists were made for the grids of an earlier layout.
inline const std::string kTextLinksOfOtherGrids =
    "補間リンクは現在の格子のものではありません（配置の変更後、まだ計算していません）。確認は行いません。";
