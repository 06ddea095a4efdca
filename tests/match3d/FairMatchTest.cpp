// A new career's 3D match against the computer: like clubs of the generated league, the user's side
// on the tactics a new career gives it and left alone, at home and away in turn.
#include "database/Careers.h"
#include "database/MemoryDB.h"
#include "match/UserMatch.h"
#include "match3d/BoxScoreBatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct LeagueClubs {
    CMemoryDB world;
    std::vector<CTeam*> byClass[3];
    bool loaded = false;

    LeagueClubs() {
        loaded = LoadWorldData(world, kDataSetLeague);
        for (int i = 0; loaded && i < world.teams.Size(); ++i) {
            CTeam* team = world.teams.At(i);
            byClass[((team->leagueId % 3) + 3) % 3].push_back(team);
        }
    }
};

} // namespace

// The man-to-man a new career starts on won the user more balls than the computer's zone: its
// helpers (the nearest defender, marking another man) reached in at the dribble every 0.5 s against
// the zone's 2 s. In these matches the user's side stole 11.8 balls a match against 7.3 and won
// 68 % by 8.2 points a match (58 % of the matches watched with the models). The man-to-man's
// markers still stand nearer their men than the zone's: the bounds hold the edge that is left and
// would catch the old one.
TEST(Match3DFairMatch, ANewCareersManToManWinsTheUserNoLargeEdgeOverTheComputersZone) {
#ifdef FB_SANITIZED_BUILD
    constexpr int kEachClass = 6; // the bookkeeping alone: too few matches for the shares
#else
    constexpr int kEachClass = 40;
#endif
    LeagueClubs league;
    ASSERT_TRUE(league.loaded);
    const UserTactics newCareer{kDefaultUserAttack, kDefaultUserDefence};
    Match3DBatchFigures all;
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        const Match3DBatchFigures f = PlayMatch3DBatch(league.byClass[leagueClass], kEachClass,
                                                       93000 + leagueClass, false, true, {}, newCareer);
        ASSERT_EQ(f.matches, kEachClass);
        EXPECT_EQ(f.unfinished, 0);
        EXPECT_EQ(f.off, 0);
        // Home and away in turn: the user's side plays as many matches at each end.
        EXPECT_EQ(f.userHomeMatches, kEachClass / 2);
        all.matches += f.matches;
        all.userWins += f.userWins;
        all.userMarginSum += f.userMarginSum;
        all.total.Add(f.total);
        all.userTotal.Add(f.userTotal);
    }
    const int userSteals = all.userTotal.steals;
    const int computerSteals = all.total.steals - userSteals;
    const double share = static_cast<double>(all.userWins) / all.matches;
    std::printf(
        "the user's side won %d of %d (%.1f %%), mean margin %+.2f, steals %.1f against %.1f\n", all.userWins,
        all.matches, 100.0 * share, static_cast<double>(all.userMarginSum) / all.matches,
        static_cast<double>(userSteals) / all.matches, static_cast<double>(computerSteals) / all.matches);
#ifndef FB_SANITIZED_BUILD
    EXPECT_GE(share, 0.40);
    EXPECT_LE(share, 0.65);
    EXPECT_LE(userSteals, 1.5 * computerSteals) << "the man-to-man's helpers reach in as a zone's do";
    EXPECT_LE(static_cast<double>(all.userMarginSum) / all.matches, 6.0);
#endif
}

// The same matches as the player sees them: the characters' models move the players, where the
// stand-in clips take about none of the misses back and run 10-15 possessions a side more. With the
// man-to-man's markers 2.5 m off their men the batch above gave the user 52.5 %, these 120 matches
// 57.5 % (70 % in class 1): near enough a drive to block and challenge it, the markers held the
// computer's side to about 7 shots a match fewer than at 2.8 m. The seeds are those of the tuning
// notes' figures.
TEST(Match3DFairMatch, ANewCareersManToManWinsTheUserHalfItsMatchesWithTheModels) {
#ifdef FB_SANITIZED_BUILD
    constexpr int kEachSeed = 2; // the bookkeeping alone: too few matches for the share
    constexpr unsigned kSeeds[] = {160000};
#else
    constexpr int kEachSeed = 20;
    constexpr unsigned kSeeds[] = {160000, 170000};
#endif
    LeagueClubs league;
    ASSERT_TRUE(league.loaded);
    const UserTactics newCareer{kDefaultUserAttack, kDefaultUserDefence};
    Match3DBatchFigures all;
    for (int leagueClass = 0; leagueClass < 3; ++leagueClass) {
        for (const unsigned seed : kSeeds) {
            const Match3DBatchFigures f = PlayMatch3DBatch(league.byClass[leagueClass], kEachSeed,
                                                           seed + leagueClass, true, true, {}, newCareer);
            ASSERT_EQ(f.matches, kEachSeed);
            EXPECT_EQ(f.unfinished, 0);
            EXPECT_EQ(f.off, 0);
            all.matches += f.matches;
            all.userWins += f.userWins;
            all.userMarginSum += f.userMarginSum;
        }
    }
    const double share = static_cast<double>(all.userWins) / all.matches;
    std::printf("with the models the user's side won %d of %d (%.1f %%), mean margin %+.2f\n", all.userWins,
                all.matches, 100.0 * share, static_cast<double>(all.userMarginSum) / all.matches);
#ifndef FB_SANITIZED_BUILD
    EXPECT_GE(share, 0.45);
    EXPECT_LE(share, 0.55);
#endif
}

// A watched batch measures the user's tactics only if his side coaches the same clubs as the
// computer's: taking the home club of even matches and the away club of odd ones, the user had the
// even-numbered clubs of a class three times in four, and the batch credited his tactics with what
// those clubs won (61.7 % of 600 matches; 48.5 % with the other clubs of the same fixtures).
TEST(Match3DFairMatch, AWatchedBatchGivesTheUserAndTheComputerTheSameClubs) {
    LeagueClubs league;
    ASSERT_TRUE(league.loaded);
    const UserTactics newCareer{kDefaultUserAttack, kDefaultUserDefence};
    const Match3DBatchFigures f = PlayMatch3DBatch(league.byClass[0], 16, 93500, false, true, {}, newCareer);
    ASSERT_EQ(f.matches, 16);
    EXPECT_EQ(f.userHomeMatches, 8);
    std::vector<int> user = f.userClubs;
    std::vector<int> other = f.otherClubs;
    std::sort(user.begin(), user.end());
    std::sort(other.begin(), other.end());
    EXPECT_EQ(user, other) << "each club as often on either side";
}
