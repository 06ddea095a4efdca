// Box scores of the 3D match club by club: every club of a list plays the others home and away until
// it has its share of matches, and the figures a player meets with his own club sit beside the
// list's means.
#pragma once

#include "match3d/BoxScoreBatch.h"

#include <vector>

struct CTeam;

struct Match3DClubRow {
    const CTeam* club = nullptr;
    int matches = 0;
    int wins = 0;
    int blowouts = 0; // matches decided by 50 points or more
    Match3DBox box;   // the club's own side of every match it played
};

struct Match3DClubReport {
    std::vector<Match3DClubRow> clubs;
    int matches = 0;
    int blowouts = 0;
    int levelAfterFour = 0;    // matches level when the fourth quarter's clock ran out
    int wentToOvertime = 0;    // of those, the ones that played an overtime
    int overtimeElsewhere = 0; // overtimes after a fourth quarter that was not level (none should be)
    int unfinished = 0;
    Match3DBox total; // both sides of every match
};

// Double round robins of the clubs, repeated until every club has played at least matchesEach
// matches; seeds seed, seed + 1, ... in match order. watched: the home side is the user's, watched and
// left alone (as PlayMatch3DBatch plays it); play, when given, plays each match (as there).
Match3DClubReport PlayMatch3DClubs(const std::vector<CTeam*>& clubs, int matchesEach, unsigned seed,
                                   bool models, bool watched = false, const Match3DPlay& play = {});

// One row per club, then the list's means, under the label.
void PrintMatch3DClubReport(const char* label, const Match3DClubReport& report);
