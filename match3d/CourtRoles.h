// Which of the five formation roles (C, PF, SF, PG, SG) each player on court fills: every player
// plays his own position where the five allow, and a player coming on takes the role his position
// fits, a team-mate moving over when that suits both better.
#pragma once

#include <cstdint>

class CMatchTeam;

// How far a player of the position stands from a role: 0 for his own, 1 for a guard or forward
// in either of his two roles, 2 a role further along the court (guards, forwards, centre); unknown
// positions fit every role alike.
int RoleMisfit(int32_t position, int32_t role);

// Deals the five roles among the players on court (places 0-4) so that the sum of their squared
// misfits is least, keeping a player in the role he holds where that costs nothing; each player's own
// position is his playsAt. Players who change role take over the spots of their new role.
void DealCourtRoles(CMatchTeam& team);
