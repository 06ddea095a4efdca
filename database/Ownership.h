// Helpers that move or add records while keeping tables and link lists in step, so no table is
// left holding a record another list deleted, and no list points at a record no table owns.
#pragma once

#include "database/MemoryDB.h"

// Moves a player record from one database to another (a signing or a release): out of the old
// player table and squad, into the new table and the squad of newTeam (which may be null for a
// free agent). The player's team id becomes newTeam's id or -1. False when the player is not in from.
bool MovePlayer(CMemoryDB& from, CMemoryDB& to, CPlayer* player, CTeam* newTeam);

// Hires a copy of a staff record for the club: appended to the career staff table and the club's
// staff list together. Takes ownership of copy.
CStaffRecord* HireStaffCopy(CMemoryDB& career, CTeam* club, CStaffRecord* copy);
// Fires the club's staff member with this id: removed from the club's list and deleted from the
// career staff table. False when the club has no such member.
bool FireStaff(CMemoryDB& career, CTeam* club, int32_t staffId);

// Appends a statistics record to the table and to its owner's list in one step (ownership passes
// to the table).
CMatchStat* AddMatchStat(CMemoryDB& db, CTeam* team, CMatchStat* stat);
CPlayerStat* AddPlayerStat(CMemoryDB& db, CPlayer* player, CPlayerStat* stat);
