// The engines' totals land where the tables and screens read them: the named fields over the
// stored numbering, the free throws in both of their places and the rebounds summed.
#include "career/Standings.h"
#include "match/MatchResult.h"

#include <gtest/gtest.h>

namespace {

TEST(MatchFigures, APlayersTotalsAreReadBackByTheSeasonTable) {
    PlayerMatchTotals t;
    t.seconds = 1500;
    t.points = 19;
    t.home = true;
    t.closeShotsTaken = 3, t.closeShotsMade = 2;
    t.twoPointersTaken = 6, t.twoPointersMade = 3;
    t.threePointersTaken = 5, t.threePointersMade = 2;
    t.freeThrowsTaken = 4, t.freeThrowsMade = 3;
    t.offensiveRebounds = 2, t.defensiveRebounds = 5;
    t.attackFouls = 1, t.defenceFouls = 2;
    t.steals = 7, t.passesFailed = 8, t.blocks = 9;
    CPlayerStat stat;
    FillPlayerFigures(stat, t);

    // The stored numbering the save files and older screens use.
    EXPECT_EQ(stat.Field(5), 1500);
    EXPECT_EQ(stat.Field(10), 19);
    EXPECT_EQ(stat.Field(11), 1);
    EXPECT_EQ(stat.Field(12), 3);
    EXPECT_EQ(stat.Field(17), 2);
    EXPECT_EQ(stat.Field(18), 4);
    EXPECT_EQ(stat.Field(19), 3);
    EXPECT_EQ(stat.Field(20), 4);
    EXPECT_EQ(stat.Field(21), 3);
    EXPECT_EQ(stat.Field(24), 1);
    EXPECT_EQ(stat.Field(25), 2);
    EXPECT_EQ(stat.Field(26), 3); // his fouls, both kinds
    EXPECT_EQ(stat.Field(27), 7);
    EXPECT_EQ(stat.Field(28), 8);
    EXPECT_EQ(stat.Field(29), 9);
    EXPECT_EQ(stat.Field(30), 7);
    EXPECT_EQ(stat.Injured(), 0);

    PlayerStatRow row;
    row.AddMatchStat(&stat);
    EXPECT_EQ(row.games, 1);
    EXPECT_FLOAT_EQ(row.points, 19.0f);
    EXPECT_FLOAT_EQ(row.fieldGoalsMade, 7.0f);
    EXPECT_FLOAT_EQ(row.fieldGoalsAttempted, 14.0f);
    EXPECT_FLOAT_EQ(row.threesMade, 2.0f);
    EXPECT_FLOAT_EQ(row.freeThrowsAttempted, 4.0f);
}

TEST(MatchFigures, AClubsTotalsGiveItsResult) {
    ClubMatchTotals t;
    t.score = 88, t.opponentScore = 91;
    t.closeShotsTaken = 10, t.closeShotsMade = 6;
    t.freeThrowsTaken = 20, t.freeThrowsMade = 15;
    t.steals = 8, t.passesFailed = 11, t.blocks = 4;
    CMatchStat stat;
    FillClubFigures(stat, t);
    EXPECT_EQ(stat.Field(9), 88);
    EXPECT_EQ(stat.Field(10), 91);
    EXPECT_EQ(stat.Field(11), 10);
    EXPECT_EQ(stat.Field(17), 20);
    EXPECT_EQ(stat.Field(18), 15);
    EXPECT_EQ(stat.Field(24), 8);
    EXPECT_EQ(stat.Field(25), 11);
    EXPECT_EQ(stat.Field(26), 4);

    TeamStatRow row;
    row.AddResult(&stat);
    EXPECT_EQ(row.losses, 1);
    EXPECT_EQ(row.pointsFor, 88);
    EXPECT_EQ(row.pointsAgainst, 91);
}

} // namespace
