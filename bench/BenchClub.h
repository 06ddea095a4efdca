// A club of fifteen made-up players for the benchmarks that play quick results and seasons: the
// same squad every run, so their figures and digests compare across builds.
#pragma once

#include "database/Careers.h"
#include "database/MemoryDB.h"

inline CTeam* MakeBenchClub(CMemoryDB& db, int id) {
    auto* team = new CTeam();
    team->id = id;
    team->name = CStr::Formatted("Club %d", id);
    db.teams.Append(team);
    for (int i = 0; i < 15; ++i) {
        auto* player = new CPlayer();
        player->id = id * 100 + i;
        player->name = CStr::Formatted("Player %d", player->id);
        player->words[kWordPosition] = 80063 + i % 5;
        player->words[kWordMatchState] = i < 5 ? kOnCourt : kOnBench;
        for (int s = 1; s <= kSkillCount; ++s) {
            player->SkillValue(s) = 40 + (i * 7 + s * 3) % 50;
            player->SkillSecond(s) = player->SkillValue(s);
        }
        db.players.Append(player);
        team->players.push_back(player);
    }
    return team;
}
