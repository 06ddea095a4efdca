// The club's starting five and shirt numbers between matches: gaps left by a release or an injury
// are filled from the bench, and a newcomer never shares a number with a team-mate.
#pragma once

#include "database/GameDate.h"

#include <cstdint>
#include <vector>

struct CTeam;
struct CPlayer;
class CMemoryDB;

// One place of the starting five the game filled itself: the injured starter who made way (null
// when the place was already empty), the player who took it (null when nobody fit was left) and
// the court position.
struct LineupChange {
    CPlayer* out = nullptr;
    CPlayer* in = nullptr;
    int32_t position = 0;
};

// Puts fit bench players on court until five start (or nobody fit is left), each in a court
// position none of the starters holds: a free position goes to the best-rated fit player whose own
// position it is, then to a guard or forward for a guard's or forward's place, then to the best
// rated left. An injured starter makes way first. Returns how many players came in; `changes`,
// when given, receives each place filled or left empty.
int FillStartingFive(CTeam& club, std::vector<LineupChange>* changes = nullptr);

// Tells the manager by mail of each change the game made to his starting five, dated `date`.
void MailLineupChanges(CMemoryDB* world, CMemoryDB* career, const CTeam& club,
                       const std::vector<LineupChange>& changes, const GameDate& date);

// Gives the player the lowest shirt number from 4 up that no other player of the club wears; a
// number nobody else wears is kept.
void GiveFreeShirtNumber(const CTeam& club, CPlayer& player);
