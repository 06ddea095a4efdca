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

// A club's totals of one match as an engine counts them; FillClubFigures lays them into the club's
// record, so every engine fills the same fields the same way.
struct ClubMatchTotals {
    int32_t score = 0;
    int32_t opponentScore = 0;
    // Close shots: the flat court's dunks, the 3D match's every field goal.
    int32_t closeShotsTaken = 0, closeShotsMade = 0;
    int32_t twoPointersTaken = 0, twoPointersMade = 0;
    int32_t threePointersTaken = 0, threePointersMade = 0;
    int32_t freeThrowsTaken = 0, freeThrowsMade = 0;
    int32_t offensiveRebounds = 0, defensiveRebounds = 0;
    int32_t steals = 0;
    int32_t passesFailed = 0;
    int32_t blocks = 0; // shots its defenders stopped
};

inline void FillClubFigures(CMatchStat& stat, const ClubMatchTotals& t) {
    stat.Score() = t.score;
    stat.OpponentScore() = t.opponentScore;
    stat.CloseShotsTaken() = t.closeShotsTaken;
    stat.CloseShotsMade() = t.closeShotsMade;
    stat.TwoPointersTaken() = t.twoPointersTaken;
    stat.TwoPointersMade() = t.twoPointersMade;
    stat.ThreePointersTaken() = t.threePointersTaken;
    stat.ThreePointersMade() = t.threePointersMade;
    stat.FreeThrowsTaken() = t.freeThrowsTaken;
    stat.FreeThrowsMade() = t.freeThrowsMade;
    stat.OffensiveRebounds() = t.offensiveRebounds;
    stat.DefensiveRebounds() = t.defensiveRebounds;
    stat.Steals() = t.steals;
    stat.PassesFailed() = t.passesFailed;
    stat.Blocks() = t.blocks;
}

// A player's totals of one match as an engine counts them; FillPlayerFigures lays them into his
// record (the free throws stand there twice, in fields 18-19 and 20-21).
struct PlayerMatchTotals {
    int32_t seconds = 0;
    bool injured = false;
    int32_t points = 0;
    bool home = false;
    int32_t closeShotsTaken = 0, closeShotsMade = 0;
    int32_t twoPointersTaken = 0, twoPointersMade = 0;
    int32_t threePointersTaken = 0, threePointersMade = 0;
    int32_t freeThrowsTaken = 0, freeThrowsMade = 0;
    int32_t offensiveRebounds = 0, defensiveRebounds = 0;
    // Fouls he committed while his side had the ball and while it defended; the record keeps their
    // sum as his fouls, so every engine's fouls stand where the screens read them.
    int32_t attackFouls = 0, defenceFouls = 0;
    int32_t steals = 0;
    int32_t passesFailed = 0;
    int32_t blocks = 0; // shots he stopped
};

// A player's rebounds stand in three fields, the two kinds and their sum: every writer sets them
// here, so the comparison (the kinds) and the leaders (the sum) read the same rebounds.
inline void FillPlayerRebounds(CPlayerStat& stat, int32_t offensive, int32_t defensive) {
    stat.OffensiveRebounds() = offensive;
    stat.DefensiveRebounds() = defensive;
    stat.Rebounds() = offensive + defensive;
}

inline void FillPlayerFigures(CPlayerStat& stat, const PlayerMatchTotals& t) {
    stat.SecondsPlayed() = t.seconds;
    stat.Injured() = t.injured ? 1 : 0;
    stat.Points() = t.points;
    stat.SideFlag() = t.home ? 1 : 0;
    stat.CloseShotsTaken() = t.closeShotsTaken;
    stat.CloseShotsMade() = t.closeShotsMade;
    stat.TwoPointersTaken() = t.twoPointersTaken;
    stat.TwoPointersMade() = t.twoPointersMade;
    stat.ThreePointersTaken() = t.threePointersTaken;
    stat.ThreePointersMade() = t.threePointersMade;
    stat.Field(18) = t.freeThrowsTaken;
    stat.Field(19) = t.freeThrowsMade;
    stat.FreeThrowsTaken() = t.freeThrowsTaken;
    stat.FreeThrowsMade() = t.freeThrowsMade;
    FillPlayerRebounds(stat, t.offensiveRebounds, t.defensiveRebounds);
    stat.AttackFouls() = t.attackFouls;
    stat.DefenceFouls() = t.defenceFouls;
    stat.Fouls() = ClampedSum(t.attackFouls, t.defenceFouls);
    stat.Steals() = t.steals;
    stat.PassesFailed() = t.passesFailed;
    stat.Blocks() = t.blocks;
}

struct MatchResult {
    SideMatchResult home;
    SideMatchResult away;

    bool Complete() const { return home.team != nullptr && away.team != nullptr; }
    int HomeScore() const { return home.figures.Score(); }
    int AwayScore() const { return away.figures.Score(); }
};
