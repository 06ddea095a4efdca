// The verdict on the user's season on its last match day: the champion's prize, the bottom club's
// warning, a tournament exit; and the single final table that replaces a tournament's groups once
// the user's club is out.
#pragma once

#include "career/Standings.h"

#include <cstdint>

class CCareerSession;

constexpr int32_t kChampionPrize = 1000000;
constexpr int32_t kLeagueGroupType = 100005;
constexpr int32_t kEuroCupRoundListText = 100173;
constexpr int32_t kWorldCupRoundListText = 100172;

struct SeasonVerdict {
    bool judged = false;     // the user's league had a table with rows
    bool champion = false;   // the user's club leads its group (a one-club league counts)
    bool prizePaid = false;  // the prize went to the club on this call (never twice a season)
    bool bottom = false;     // the user's club is last: its manager's season is over
    bool knockedOut = false; // a tournament that goes on without the user's club
    int position = 0;        // from the top, 1 the leader; 0 when not found
};

// Whether a club at `position` (1 the leader) is out of the tournament at that stage.
bool IsOutOfTournament(int cupStage, bool euroCup, int position);

// The season-end evaluation. It sets the session's career-over and tournament-exit flags as the
// verdict asks. The counters of the profile and the prize are applied once per season and career,
// however often it runs on the last day.
SeasonVerdict JudgeSeasonEnd(CCareerSession& session, const CompetitionList& standings);

// Once the user's club is out of a tournament: every world league gives way to one league holding
// every team (id 0, the mode's round-list name), which the career's league record copies. Nothing
// may keep a pointer to a world league across it. False, with nothing changed, without both
// databases or a team in each.
bool ReplaceLeaguesWithRoundList(CCareerSession& session);
