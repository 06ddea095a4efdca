// Record moves that keep ownership and links consistent.
#include "database/Ownership.h"

#include <algorithm>

template <class T> static void RemoveFrom(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool MovePlayer(CMemoryDB& from, CMemoryDB& to, CPlayer* player, CTeam* newTeam) {
    if (!player || !from.players.Detach(player))
        return false;
    for (CTeam* team : from.teams)
        RemoveFrom(team->players, player);
    for (CTeam* team : to.teams)
        RemoveFrom(team->players, player);
    to.players.Append(player);
    player->teamId = newTeam ? newTeam->id : -1;
    if (newTeam)
        newTeam->players.push_back(player);
    return true;
}

CStaffRecord* HireStaffCopy(CMemoryDB& career, CTeam* club, CStaffRecord* copy) {
    if (!copy)
        return nullptr;
    career.staff.Append(copy);
    if (club) {
        copy->clubId = club->id;
        club->staff.push_back(copy);
    }
    return copy;
}

bool FireStaff(CMemoryDB& career, CTeam* club, int32_t staffId) {
    if (!club)
        return false;
    auto it = std::find_if(club->staff.begin(), club->staff.end(),
                           [staffId](const CStaffRecord* member) { return member->id == staffId; });
    if (it == club->staff.end())
        return false;
    CStaffRecord* member = *it;
    club->staff.erase(it);
    career.staff.Erase(member);
    return true;
}

CMatchStat* AddMatchStat(CMemoryDB& db, CTeam* team, CMatchStat* stat) {
    if (!stat)
        return nullptr;
    db.matchStats.Append(stat);
    if (team)
        team->matchStats.push_back(stat);
    return stat;
}

CPlayerStat* AddPlayerStat(CMemoryDB& db, CPlayer* player, CPlayerStat* stat) {
    if (!stat)
        return nullptr;
    db.playerStats.Append(stat);
    if (player) {
        stat->Owner() = player->id;
        player->stats.push_back(stat);
    }
    return stat;
}
