// Quick results of other clubs' fixtures: scores, the statistics books, short squads and training.
#include "career/QuickResult.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using daytest::MakePlayer;
using daytest::MakeTeam;

namespace {

// The points a player's record must add up to from its made shots and free throws.
int PointsFromBaskets(const CPlayerStat* stat) {
    return 2 * stat->Field(13) + 2 * stat->Field(15) + 3 * stat->Field(17) + stat->Field(21);
}

// Checks one side's records of the match just played; returns the sum of its players' points.
int CheckSide(const CTeam* team, size_t matches) {
    int points = 0;
    for (const CPlayer* player : team->players) {
        EXPECT_EQ(player->stats.size(), matches) << player->name.GetText();
        const CPlayerStat* stat = player->stats.back();
        EXPECT_LE(stat->Field(13), stat->Field(12));
        EXPECT_LE(stat->Field(15), stat->Field(14));
        EXPECT_LE(stat->Field(17), stat->Field(16));
        EXPECT_LE(stat->Field(21), stat->Field(20));
        EXPECT_EQ(stat->Field(10), PointsFromBaskets(stat)) << player->name.GetText();
        points += stat->Field(10);
    }
    return points;
}

} // namespace

TEST(QuickMatch, ThousandSeededMatchesKeepTheBooks) {
    GameSrand(7);
    CMemoryDB world;
    CDayResults results;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    for (size_t match = 1; match <= 1000; ++match) {
        int homeScore = -1, awayScore = -1;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        ASSERT_GE(homeScore, 0);
        ASSERT_GE(awayScore, 0);
        ASSERT_NE(homeScore, awayScore);
        ASSERT_EQ(home->matchStats.size(), match);
        ASSERT_EQ(away->matchStats.size(), match);
        const CMatchStat* homeStat = home->matchStats.back();
        const CMatchStat* awayStat = away->matchStats.back();
        EXPECT_EQ(homeStat->Field(3), 1);
        EXPECT_EQ(homeStat->Field(4), 2);
        EXPECT_EQ(homeStat->Field(5), 0);
        EXPECT_EQ(awayStat->Field(5), 1);
        EXPECT_EQ(homeStat->Field(9), homeScore);
        EXPECT_EQ(homeStat->Field(10), awayScore);
        EXPECT_EQ(awayStat->Field(9), awayScore);
        EXPECT_EQ(homeStat->Field(6), 3);
        EXPECT_EQ(homeStat->Field(7), 10);
        EXPECT_EQ(homeStat->Field(8), 2007);
        EXPECT_EQ(CheckSide(home, match), homeScore);
        EXPECT_EQ(CheckSide(away, match), awayScore);
        // Each player's record of this match is on his side and dated.
        EXPECT_EQ(home->players[0]->stats.back()->Field(11), 0);
        EXPECT_EQ(away->players[0]->stats.back()->Field(11), 1);
        EXPECT_EQ(home->players[0]->stats.back()->Field(2), 2007);
        if (::testing::Test::HasFailure())
            break;
    }
    // Every record went into the world tables, which own them.
    EXPECT_EQ(world.matchStats.Size(), 2000);
    EXPECT_EQ(world.playerStats.Size(), 24000);
    // The five starters are marked, the bench is not.
    int started = 0;
    for (const CPlayer* player : home->players)
        started += player->stats.back()->Field(6);
    EXPECT_EQ(started, 5);
    EXPECT_FALSE(results.List(CDayResults::kFieldGoals).empty());
}

TEST(QuickMatch, ShortSquadsPlayWithoutCrashing) {
    GameSrand(11);
    CMemoryDB world;
    QuickMatchContext ctx = daytest::QuickContext(world, nullptr);
    // Four on court and nobody on the bench: the side plays four-handed.
    CTeam* four = MakeTeam(world, 1, "Four", 4, 4);
    // Six players but only two marked on court: the bench fills the five.
    CTeam* two = MakeTeam(world, 2, "Two", 6, 2);
    CTeam* empty = MakeTeam(world, 3, "Empty", 0, 0);
    for (int i = 0; i < 200; ++i) {
        int a = -1, b = -1;
        SimulateQuickMatch(ctx, four, two, a, b);
        ASSERT_NE(a, b);
        EXPECT_EQ(CheckSide(four, static_cast<size_t>(i) + 1), a);
        EXPECT_EQ(CheckSide(two, static_cast<size_t>(i) + 1), b);
    }
    int started = 0;
    for (const CPlayer* player : two->players)
        started += player->stats.back()->Field(6);
    EXPECT_EQ(started, 5);

    // A club without players cannot score; the tie-break goes to the side that can.
    for (int i = 0; i < 50; ++i) {
        int a = -1, b = -1;
        SimulateQuickMatch(ctx, empty, four, a, b);
        EXPECT_EQ(a, 0);
        EXPECT_GT(b, 0);
    }
}

namespace {

struct ShotSums {
    int points = 0;
    int fieldGoalsTaken = 0, fieldGoalsMade = 0;
    int freeThrowsTaken = 0, freeThrowsMade = 0;
    int steals = 0;
    int wins = 0;
};

// Plays seeded results between two clubs and sums each side's club records and steals.
std::pair<ShotSums, ShotSums> PlaySeries(CTeam* home, CTeam* away, int matches, unsigned seed) {
    GameSrand(seed);
    CMemoryDB tables;
    QuickMatchContext ctx = daytest::QuickContext(tables, nullptr);
    ShotSums sums[2];
    for (int i = 0; i < matches; ++i) {
        int scores[2] = {0, 0};
        SimulateQuickMatch(ctx, home, away, scores[0], scores[1]);
        CTeam* teams[2] = {home, away};
        for (int side = 0; side < 2; ++side) {
            const CMatchStat* club = teams[side]->matchStats.back();
            ShotSums& s = sums[side];
            s.points += scores[side];
            s.wins += scores[side] > scores[1 - side] ? 1 : 0;
            s.fieldGoalsTaken += club->Field(11) + club->Field(13) + club->Field(15);
            s.fieldGoalsMade += club->Field(12) + club->Field(14) + club->Field(16);
            s.freeThrowsTaken += club->Field(17);
            s.freeThrowsMade += club->Field(18);
            for (const CPlayer* player : teams[side]->players)
                s.steals += player->stats.back()->Field(27);
        }
    }
    return {sums[0], sums[1]};
}

void SetSkill(CTeam* team, int skill, int value) {
    for (CPlayer* player : team->players) {
        player->SkillValue(skill) = value;
        player->SkillSecond(skill) = value;
    }
}

} // namespace

TEST(QuickMatchBalance, BetterShootersScoreMoreAndWinMore) {
    CMemoryDB world;
    CTeam* sharp = MakeTeam(world, 1, "Sharp", 12, 5);
    CTeam* plain = MakeTeam(world, 2, "Plain", 12, 5);
    // Close, two-point, three-point and free-throw skills; defence stays 60 on both sides.
    for (int skill : {10, 8, 9, 14}) {
        SetSkill(sharp, skill, 75);
        SetSkill(plain, skill, 45);
    }
    auto [a, b] = PlaySeries(sharp, plain, 300, 21);
    EXPECT_GT(a.points, b.points + 300 * 8) << a.points << " against " << b.points;
    EXPECT_GT(a.fieldGoalsMade * b.fieldGoalsTaken, b.fieldGoalsMade * a.fieldGoalsTaken);
    EXPECT_GT(a.freeThrowsMade * b.freeThrowsTaken, b.freeThrowsMade * a.freeThrowsTaken);
    EXPECT_GT(a.wins, 210);
    // A box score a side of about a hundred points, not a shoot-out of sure baskets.
    const double perSide = (a.points + b.points) / 600.0;
    EXPECT_GT(perSide, 85.0);
    EXPECT_LT(perSide, 115.0);
    EXPECT_LT(100 * (a.fieldGoalsMade + b.fieldGoalsMade), 55 * (a.fieldGoalsTaken + b.fieldGoalsTaken));
}

// Two clubs alike in every skill a quick result reads, one rated higher through the rest (skills 3,
// 5, 6, 11 and 12): the tiers of a tournament lie a few rating points apart, and the better five must
// show there; a wide gap in those skills alone must not decide the result as the shooting does.
TEST(QuickMatchBalance, TheBetterRatedFiveWinsMoreWithoutRunningAway) {
    // Half the matches at each club's home: the home side has the odd possession more.
    const auto winsOfTheBetter = [](int better, int worse, unsigned seed) {
        CMemoryDB world;
        CTeam* strong = MakeTeam(world, 1, "Strong", 12, 5);
        CTeam* weak = MakeTeam(world, 2, "Weak", 12, 5);
        for (int skill : {3, 5, 6, 11, 12}) {
            SetSkill(strong, skill, better);
            SetSkill(weak, skill, worse);
        }
        return PlaySeries(strong, weak, 600, seed).first.wins +
               PlaySeries(weak, strong, 600, seed + 1).second.wins;
    };
    // Three rating points apart (nine points in each of five skills of fifteen). 1,200 matches a
    // pair: over 400 one seed's wide gap fell half a point under the floor.
    const int close = winsOfTheBetter(69, 60, 41);
    EXPECT_GT(close, 1200 * 58 / 100) << close;
    EXPECT_LT(close, 1200 * 85 / 100) << close;
    // Thirty-three points apart.
    const int wide = winsOfTheBetter(100, 0, 43);
    EXPECT_GT(wide, 1200 * 58 / 100) << wide;
    EXPECT_LT(wide, 1200 * 80 / 100) << wide;
}

// A level score after 48 minutes still gets its deciding basket: the day's report lines carry every
// point but that one, so a result whose lines fall short of its score was decided by it.
TEST(QuickMatchBalance, LevelScoresAreStillDecided) {
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    CDayResults results;
    GameSrand(29);
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    int decided = 0;
    for (int i = 0; i < 1200; ++i) {
        results.Clear();
        int scores[2] = {0, 0};
        SimulateQuickMatch(ctx, home, away, scores[0], scores[1]);
        ASSERT_NE(scores[0], scores[1]);
        int lines[2] = {0, 0};
        for (int category : {CDayResults::kFieldGoals, CDayResults::kThreePointers, CDayResults::kFreeThrows})
            for (const MatchDayEntry& entry : results.List(category))
                lines[entry.teamName.Equals(home->name) ? 0 : 1] += entry.value;
        if (lines[0] == scores[0] && lines[1] == scores[1])
            continue;
        ++decided;
        // Level before the basket, one to three points for one side only.
        EXPECT_EQ(lines[0], lines[1]);
        EXPECT_EQ(std::abs(scores[0] - scores[1]),
                  std::abs(scores[0] - lines[0]) + std::abs(scores[1] - lines[1]));
        EXPECT_LE(std::abs(scores[0] - scores[1]), 3);
    }
    // About one result in fifty ends level after 48 minutes; 1,200 results so a seed's luck does not
    // decide (one seed's 400 had one).
    EXPECT_GE(decided, 9);
    EXPECT_LE(decided, 90);
}

TEST(QuickMatchBalance, FreeThrowsFollowTheShootersTouchEvenAtZero) {
    CMemoryDB world;
    CTeam* zero = MakeTeam(world, 1, "Zero", 10, 5);
    CTeam* sure = MakeTeam(world, 2, "Sure", 10, 5);
    SetSkill(zero, 14, 0); // a rating of 0 must not divide by zero
    SetSkill(sure, 14, 100);
    auto [a, b] = PlaySeries(zero, sure, 100, 3);
    ASSERT_GT(a.freeThrowsTaken, 0);
    ASSERT_GT(b.freeThrowsTaken, 0);
    EXPECT_LT(a.freeThrowsMade * b.freeThrowsTaken, b.freeThrowsMade * a.freeThrowsTaken);
    EXPECT_LE(b.freeThrowsMade, b.freeThrowsTaken);
}

// A steal is the defenders' ball won from the attackers. It used to be credited to a player of the
// side that had just missed its own shot.
TEST(QuickMatchBalance, StealsGoToTheDefendingSide) {
    CMemoryDB world;
    CTeam* alone = MakeTeam(world, 1, "Alone", 10, 5);
    CTeam* nobody = MakeTeam(world, 2, "Nobody", 0, 0);
    CDayResults results;
    GameSrand(17);
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    for (int i = 0; i < 50; ++i) {
        int a = 0, b = 0;
        SimulateQuickMatch(ctx, alone, nobody, a, b);
        // Only one side ever has the ball: nobody can take it from the other.
        for (const CPlayer* player : alone->players)
            ASSERT_EQ(player->stats.back()->Field(27), 0) << player->name.GetText();
    }
    EXPECT_TRUE(results.List(CDayResults::kSteals).empty());

    // Ball-winners (steal skill) against careless handlers (passing) win the ball more often.
    CTeam* hands = MakeTeam(world, 3, "Hands", 12, 5);
    CTeam* loose = MakeTeam(world, 4, "Loose", 12, 5);
    SetSkill(hands, 16, 90);
    SetSkill(loose, 15, 40);
    auto [h, l] = PlaySeries(hands, loose, 200, 5);
    EXPECT_GT(h.steals, l.steals * 3 / 2) << h.steals << " against " << l.steals;
    EXPECT_GT(l.steals, 0);
}

TEST(QuickMatch, SkillCounterWrapsPastOneHundred) {
    CPlayer* player = MakePlayer(1, "P", 80063, true, 50);
    player->SkillProgress(9) = 99;
    TrainQuickSkill(player, 9, 2);
    EXPECT_EQ(player->SkillValue(9), 51);
    EXPECT_EQ(player->SkillProgress(9), -1);
    TrainQuickSkill(player, 9, 3);
    EXPECT_EQ(player->SkillProgress(9), 2);

    player->SkillValue(2) = 100;
    player->SkillProgress(2) = 98;
    TrainQuickSkill(player, 2, 3);
    EXPECT_EQ(player->SkillValue(2), 100);
    EXPECT_EQ(player->SkillProgress(2), -1);
    delete player;
}

// A tired player comes off only for a rested bench player; a hurt one leaves the match whatever the
// bench holds, and the side plays short when nobody is left.
TEST(QuickMatch, ReplacementNeedsSomeoneToComeOn) {
    CPlayer* tired = MakePlayer(1, "Tired", 80063, true, 70);
    CPlayer* sub = MakePlayer(2, "Sub", 80064, false, 70);
    CPlayerStat tiredStat, subStat;
    tiredStat.Started() = 1;
    QuickTeam side;
    side.five.push_back({tired, &tiredStat});
    PlayerCondition(tired) = 20;
    EXPECT_FALSE(SubstituteQuickPlayer(side, 0, false)); // nobody to come on: he plays on
    ASSERT_EQ(side.five.size(), 1u);
    EXPECT_EQ(side.five[0].player, tired);

    side.bench.push_back({sub, &subStat});
    PlayerCondition(sub) = 40; // not rested yet
    EXPECT_FALSE(SubstituteQuickPlayer(side, 0, false));
    EXPECT_EQ(side.five[0].player, tired);

    PlayerCondition(sub) = 70;
    EXPECT_TRUE(SubstituteQuickPlayer(side, 0, false));
    EXPECT_EQ(side.five[0].player, sub);
    ASSERT_EQ(side.bench.size(), 1u);
    EXPECT_EQ(side.bench[0].player, tired);
    EXPECT_EQ(PlayerCondition(tired), 20); // he rests on the bench, not at once

    // The hurt sub leaves for the tired starter (anyone beats a hurt player), then nobody is left.
    EXPECT_TRUE(SubstituteQuickPlayer(side, 0, true));
    EXPECT_EQ(side.five[0].player, tired);
    EXPECT_TRUE(side.bench.empty());
    EXPECT_FALSE(SubstituteQuickPlayer(side, 0, true));
    EXPECT_TRUE(side.five.empty());
    delete tired;
    delete sub;
}

// A ranked side picks with its numbered order what the full comparison picks, for tired and hurt
// players alike: ratings tie often, starters sit on the bench, conditions are anywhere, and some
// come to the change in foul trouble.
TEST(QuickMatch, ARankedSidePicksTheSameSubstitute) {
    GameSrand(21);
    std::vector<CPlayer*> players;
    std::vector<CPlayerStat> stats(12);
    for (int i = 0; i < 12; ++i) {
        players.push_back(MakePlayer(i + 1, "P", 80063, i < 5, 40 + GameRand() % 50));
        stats[static_cast<size_t>(i)].Started() = GameRand() % 3 == 0 ? 1 : 0;
        stats[static_cast<size_t>(i)].Fouls() = i % 3 == 1 ? 5 : i % 3;
    }
    int differences = 0;
    for (int trial = 0; trial < 400; ++trial) {
        QuickTeam plain;
        for (int i = 0; i < 12; ++i) {
            QuickPlayer p{players[static_cast<size_t>(i)], &stats[static_cast<size_t>(i)]};
            p.rating = 50.0 + 5.0 * (GameRand() % 3);
            p.squadIndex = i;
            PlayerCondition(p.player) = GameRand() % 100;
            (i < 5 ? plain.five : plain.bench).push_back(p);
        }
        QuickTeam ranked = plain;
        RankQuickSide(ranked);
        ASSERT_TRUE(ranked.ranked);
        const size_t court = static_cast<size_t>(GameRand() % 5);
        const bool hurt = trial % 4 == 0;
        EXPECT_EQ(SubstituteQuickPlayer(plain, court, hurt), SubstituteQuickPlayer(ranked, court, hurt));
        ASSERT_EQ(plain.five.size(), ranked.five.size());
        ASSERT_EQ(plain.bench.size(), ranked.bench.size());
        for (size_t k = 0; k < plain.five.size(); ++k)
            differences += plain.five[k].player != ranked.five[k].player ? 1 : 0;
        for (size_t b = 0; b < plain.bench.size(); ++b)
            differences += plain.bench[b].player != ranked.bench[b].player ? 1 : 0;
    }
    EXPECT_EQ(differences, 0);
    for (CPlayer* player : players)
        delete player;
}

TEST(QuickMatch, TeamSheetGivesEachStarterAFreePosition) {
    CMemoryDB db;
    CTeam* team = MakeTeam(db, 1, "Sheet", 7, 5);
    // Two centres on court; the second takes the first position left (PF is free once the PF
    // starter is moved to the bench).
    team->players[1]->words[kWordPosition] = 80063;
    team->players[5]->words[kWordMatchState] = kOnBench;
    team->players[5]->words[kWordPlayedPosition] = 80069;
    team->players[6]->words[kWordMatchState] = kOnBench;
    BuildTeamSheet(team);
    EXPECT_EQ(team->players[0]->words[kWordPlayedPosition], 80063);
    EXPECT_EQ(team->players[1]->words[kWordPlayedPosition], 80064);
    EXPECT_EQ(team->players[2]->words[kWordPlayedPosition], 80065);
    EXPECT_EQ(team->players[3]->words[kWordPlayedPosition], 80066);
    EXPECT_EQ(team->players[4]->words[kWordPlayedPosition], 80067);
    EXPECT_EQ(team->players[5]->words[kWordPlayedPosition], 80069); // the bench keeps its place

    // A sixth on-court player finds no free position and keeps his own.
    team->players[5]->words[kWordMatchState] = kOnCourt;
    team->players[5]->words[kWordPosition] = 80066;
    BuildTeamSheet(team);
    EXPECT_EQ(team->players[5]->words[kWordPlayedPosition], 80066);
}
