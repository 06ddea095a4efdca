// The club's starting five and shirt numbers between matches: gaps left by a release or an injury
// are filled from the bench, and a newcomer never shares a number with a team-mate.
#pragma once

#include <cstdint>

struct CTeam;
struct CPlayer;

// Puts fit bench players on court until five start (or nobody fit is left): the best overall
// rating first, each taking a court position none of the starters holds. Returns how many
// players came in.
int FillStartingFive(CTeam& club);

// Gives the player the lowest shirt number from 4 up that no other player of the club wears; a
// number nobody else wears is kept.
void GiveFreeShirtNumber(const CTeam& club, CPlayer& player);
