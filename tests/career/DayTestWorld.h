// Small clubs and squads for the match-day tests, built straight into a database.
#pragma once

#include "database/MemoryDB.h"
#include "database/Records.h"

#include <cstdio>

namespace daytest {

// A player with every skill at the given value and a fresh condition.
inline CPlayer* MakePlayer(int32_t id, const char* name, int32_t position, bool onCourt, int skill = 60) {
    auto* player = new CPlayer();
    player->id = id;
    player->name = name;
    player->words[kWordPosition] = position;
    player->words[kWordPlayedPosition] = position;
    player->words[kWordMatchState] = onCourt ? kOnCourt : kOnBench;
    for (int s = 1; s <= kSkillCount; ++s) {
        player->SkillValue(s) = skill;
        player->SkillSecond(s) = skill;
        player->SkillProgress(s) = 0;
    }
    return player;
}

// A club in the database with `squad` players of whom the first `starters` are on court.
inline CTeam* MakeTeam(CMemoryDB& db, int32_t id, const char* name, int squad, int starters, int skill = 60) {
    auto* team = new CTeam();
    team->id = id;
    team->name = name;
    team->countryTextId = 90001;
    db.teams.Append(team);
    static const int32_t positions[] = {80063, 80064, 80065, 80066, 80067};
    for (int i = 0; i < squad; ++i) {
        char playerName[64];
        std::snprintf(playerName, sizeof playerName, "%s player %d", name, i + 1);
        CPlayer* player = MakePlayer(id * 100 + i, playerName, positions[i % 5], i < starters, skill);
        player->teamId = id;
        db.players.Append(player);
        team->players.push_back(player);
    }
    return team;
}

} // namespace daytest
