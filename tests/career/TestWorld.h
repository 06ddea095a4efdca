// Small worlds and careers for the schedule tests: leagues of numbered clubs, ids equal to rows.
#pragma once

#include "database/MemoryDB.h"

#include <initializer_list>
#include <vector>

namespace testworld {

constexpr int kRegularLeague = 100005;
constexpr int kTournamentGroup = 100004;

// Leagues 0..n-1, each with the listed team ids; every team's country is 800100.
inline void AddLeague(CMemoryDB& world, int type, std::initializer_list<int> teamIds) {
    auto* league = new CLeague();
    league->id = world.leagues.Size();
    league->nameTextId = 800000 + league->id;
    league->type = type;
    world.leagues.Append(league);
    for (int id : teamIds) {
        auto* team = new CTeam();
        team->id = id;
        team->leagueId = league->id;
        team->countryTextId = 800100;
        team->name = CStr::Formatted("Club %d", id);
        world.teams.Append(team);
    }
}

// A regular world of leagues with teamsPerLeague clubs each, ids running on from 0.
inline void MakeLeagueWorld(CMemoryDB& world, int leagues, int teamsPerLeague) {
    int next = 0;
    for (int l = 0; l < leagues; ++l) {
        auto* league = new CLeague();
        league->id = l;
        league->nameTextId = 800000 + l;
        league->type = kRegularLeague;
        world.leagues.Append(league);
        for (int t = 0; t < teamsPerLeague; ++t) {
            auto* team = new CTeam();
            team->id = next++;
            team->leagueId = l;
            team->countryTextId = 800100;
            world.teams.Append(team);
        }
    }
    world.Link();
}

// The career of one club: a copy of the club (same id) and of its league, whose team list is [club].
inline void MakeCareer(CMemoryDB& career, const CMemoryDB& world, int clubId) {
    const CTeam* worldClub = world.FindTeam(clubId);
    auto* club = new CTeam(worldClub->CopyFields());
    career.teams.Append(club);
    const CLeague* worldLeague = world.FindLeague(worldClub->leagueId);
    auto* league = new CLeague();
    league->id = worldLeague->id;
    league->nameTextId = worldLeague->nameTextId;
    league->type = worldLeague->type;
    career.leagues.Append(league);
    career.managerClubId = clubId;
    career.Link();
}

inline CStr LeagueText(int id) {
    return CStr::Formatted("League text %d", id);
}

} // namespace testworld
