// CAnimatedCharacter: the animated, skinned character under every court player and referee. This
// holds the state the placements and the rosters touch; the clips and motion are added with the
// character's drawing.
#pragma once

#include "engine/Math3D.h"

#include <cstdint>

class CAnimatedCharacter {
public:
    CAnimatedCharacter() = default;
    CAnimatedCharacter(const CAnimatedCharacter&) = default;
    CAnimatedCharacter& operator=(const CAnimatedCharacter&) = default;
    virtual ~CAnimatedCharacter() = default;

    Vec3 position;      // where the character stands (feet, y up)
    Vec3 facing;        // the direction the body faces
    Vec3 walkTarget;    // the point walking leads to once started
    Vec3 lookDirection; // normalised direction toward what the character looks at
    uint8_t hasBall = 0;
    uint8_t passing = 0;        // from the decision to pass until the ball leaves the hand
    uint8_t releaseReached = 0; // the clip reached its release moment
    uint8_t shown = 1;          // drawn while set
};
