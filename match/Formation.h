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

// Where a position stands from the ball handler to the basket, in half steps: PG 0, G 1, SG 2,
// SF 4, F 5, PF 6, C 8; -1 for no known position. A "whole position" apart is two half steps.
int PositionPlace(int position);
// Half steps between two positions; kFarPosition when either is unknown.
inline constexpr int kFarPosition = 100;
int PositionDistance(int a, int b);

// A bench player who may come on, as the change picker sees him.
struct BenchCandidate {
    int id = -1;
    int position = 0;       // his own position id
    float freshness = 0.0f; // higher is fresher; each engine uses its own energy figure
};

// The change a coach makes: a player of the leaving player's own position, else of the nearest
// position, else anyone; the freshest among equals, the first listed among equally fresh. -1 when
// the list is empty. Both engines and both sides pick through this, so the offered change and the
// computer's agree.
int PickLikeForLike(int leavingPosition, const BenchCandidate* candidates, int count);

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
