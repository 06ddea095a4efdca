// Formation files: five court positions, each with a spot and a point to look at. Both match
// engines read them; each applies its own z signs.
#pragma once

#include "engine/Math3D.h"
#include "engine/Str.h"

// Position ids of the court positions, as the player records store them.
inline constexpr int kPositionCentre = 80063;
inline constexpr int kPositionPowerForward = 80064;
inline constexpr int kPositionSmallForward = 80065;
inline constexpr int kPositionPointGuard = 80066;
inline constexpr int kPositionShootingGuard = 80067;
inline constexpr int kPositionGuard = 80068;
inline constexpr int kPositionForward = 80069;

// "C", "PF", "SF", "PG", "SG", "G" or "F" (case-sensitive) to its position id; 0 for anything else.
int PositionIdFromCode(const CStr& code);

inline constexpr int kFormationSpots = 5;

struct FormationSpot {
    CStr name;   // position code; one that matches no id places nobody
    Vec3 spot;   // "PLAYER_POS"
    Vec3 lookAt; // "PLAYER_LOOKAT" of the same running index
};

struct Formation {
    FormationSpot spots[kFormationSpots];
};

// Reads "FileDescriptor"/"KVTACTICS". Missing entries or attributes read as 0 (and an empty name).
// A file that is missing or does not parse ends the game, like every shipped data file.
Formation ReadFormationFile(const CStr& gamePath);
