// The better five takes a share of the rebounds the other side's man would have taken: the chance, a
// rebound, for a gap between the two fives' standings (their mean overall rating less the one their
// level stands for). Both engines read it, so a club's rebounding edge is the same in either view.
// The rolls read the players' own ratings only, so squads better all round than their rivals but no
// better shooters won about half their matches against them (a class's best-rated three against its
// worst-rated three 50-53 % in classes 0 and 2 on the flat court; in 3D a side two points higher in
// every skill but the steal won by 3.8 points a match, on the flat court by 17). At 0.05-0.065 a
// point the better of two clubs of a class won under half in class 1. The gap between two classes
// stays with the levels, which already count it.
#pragma once

#include <algorithm>
#include <cmath>

inline constexpr float kReboundEdgePerPoint = 0.13f;
inline constexpr float kReboundGapMost = 3.0f;

inline float ReboundEdgeChance(float gap) {
    return kReboundEdgePerPoint * std::min(std::fabs(gap), kReboundGapMost);
}
