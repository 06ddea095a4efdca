// A finished match as every engine hands it over: both clubs' figures and one line per player who
// took part. The figures use the records' own layout, so the quick results, the flat court and the
// 3D match all fill the same fields; one writer (career/MatchRecord.h) stamps the date, appends the
// records and books the injuries.
#pragma once

#include "database/Records.h"

#include <vector>

struct CPlayer;
struct CTeam;

struct PlayerMatchLine {
    CPlayer* player = nullptr;
    CPlayerStat figures; // date and owner are stamped when recorded
    // The line-up word the match leaves him with; 0 keeps the one he had.
    int32_t lineupAfter = 0;
};

struct SideMatchResult {
    CTeam* team = nullptr;
    bool user = false;  // the user's club: its records belong to the career
    CMatchStat figures; // date, clubs and side are stamped when recorded
    std::vector<PlayerMatchLine> players;
};

struct MatchResult {
    SideMatchResult home;
    SideMatchResult away;

    bool Complete() const { return home.team != nullptr && away.team != nullptr; }
    int HomeScore() const { return home.figures.Score(); }
    int AwayScore() const { return away.figures.Score(); }
};
