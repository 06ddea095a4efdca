// Who plays how long in a quick result: the starters most of the match, the bench the rest, the hurt
// no further than the minute they were hurt in.
#include "career/QuickResult.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

using daytest::MakeTeam;

namespace {

int Minutes(const CPlayer* player) {
    return player->stats.back()->SecondsPlayed() / 60;
}

} // namespace

// The starting five used to play all 48 minutes (a tired starter was copied over a bench player
// and stayed on), so no bench player ever played. Clubs of the generated world's stamina (70-100)
// and of the tests' (60) both rotate.
TEST(QuickMatchMinutes, StartersPlayMostOfTheMatchAndTheBenchTheRest) {
    for (int stamina : {60, 85}) {
        GameSrand(static_cast<unsigned>(stamina));
        CMemoryDB world;
        CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
        CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
        for (CTeam* team : {home, away})
            for (CPlayer* player : team->players)
                player->SkillValue(1) = player->SkillSecond(1) = stamina;
        QuickMatchContext ctx = daytest::QuickContext(world, nullptr);
        int starterMinutes = 0, starters = 0;
        for (int match = 1; match <= 200; ++match) {
            int homeScore = 0, awayScore = 0;
            SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
            for (const CTeam* team : {home, away}) {
                int side = 0, benchPlayed = 0;
                for (const CPlayer* player : team->players) {
                    const CPlayerStat* stat = player->stats.back();
                    side += stat->SecondsPlayed();
                    if (stat->Started() == 0) {
                        benchPlayed += Minutes(player) > 0 ? 1 : 0;
                    } else if (stat->Injured() == 0 && stat->Fouls() < 5) {
                        // (a starter on five fouls sits out the rest of the match, as one fouled out)
                        starterMinutes += Minutes(player);
                        ++starters;
                        EXPECT_GE(Minutes(player), 24) << player->name.GetText() << " match " << match;
                        EXPECT_LE(Minutes(player), 38) << player->name.GetText() << " match " << match;
                    }
                }
                EXPECT_EQ(side, 240 * 60) << team->name.GetText() << " match " << match;
                EXPECT_GE(benchPlayed, 2) << team->name.GetText() << " match " << match;
            }
            if (::testing::Test::HasFailure())
                break;
        }
        ASSERT_GT(starters, 0);
        const double mean = static_cast<double>(starterMinutes) / starters;
        EXPECT_GT(mean, 28.0) << "stamina " << stamina;
        EXPECT_LT(mean, 34.0) << "stamina " << stamina;
    }
}

// A hurt player used to be copied over a bench player and play on to the end. Now he leaves when
// hurt, for good; about one player a side in four matches is hurt.
TEST(QuickMatchMinutes, AHurtPlayerLeavesForGood) {
    GameSrand(19);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    CDayResults results;
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    const int matches = 1000;
    int hurt = 0;
    for (int match = 1; match <= matches; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            int side = 0;
            for (const CPlayer* player : team->players) {
                const CPlayerStat* stat = player->stats.back();
                side += stat->SecondsPlayed();
                if (stat->Injured() == 0)
                    continue;
                ++hurt;
                // On court in the minute he was hurt in, never after it.
                EXPECT_GT(stat->SecondsPlayed(), 0) << player->name.GetText();
                EXPECT_LE(stat->SecondsPlayed(), (stat->InjuryMinute() + 1) * 60) << player->name.GetText();
            }
            // A full bench sends someone on: five on court to the end.
            EXPECT_EQ(side, 240 * 60) << team->name.GetText() << " match " << match;
        }
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_EQ(static_cast<size_t>(hurt), results.Incidents().size()) << "each incident flags one record";
    EXPECT_LE(hurt, 2 * matches * 3 / 10) << "at most 0.3 hurt a side a match";
    EXPECT_GE(hurt, 2 * matches / 10);
}

// A side of five has nobody to send on: a hurt or fouled-out player leaves it four-handed rather
// than play on.
TEST(QuickMatchMinutes, AFiveWithoutBenchPlaysShortAfterAnInjury) {
    GameSrand(23);
    CMemoryDB world;
    CTeam* five = MakeTeam(world, 1, "Five", 5, 5);
    CTeam* full = MakeTeam(world, 2, "Full", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world, nullptr);
    int shortMatches = 0;
    for (int match = 1; match <= 300; ++match) {
        int a = 0, b = 0;
        SimulateQuickMatch(ctx, five, full, a, b);
        ASSERT_NE(a, b);
        int side = 0;
        bool someoneHurt = false; // before the last minute
        bool fouledOut = false;
        for (const CPlayer* player : five->players) {
            const CPlayerStat* stat = player->stats.back();
            side += stat->SecondsPlayed();
            fouledOut = fouledOut || stat->Fouls() >= 6;
            if (stat->Injured() != 0) {
                someoneHurt = someoneHurt || stat->InjuryMinute() < 47;
                EXPECT_EQ(stat->SecondsPlayed(), (stat->InjuryMinute() + 1) * 60);
            }
        }
        EXPECT_EQ(side < 240 * 60, someoneHurt || fouledOut) << "match " << match;
        shortMatches += someoneHurt ? 1 : 0;
    }
    EXPECT_GT(shortMatches, 0) << "nobody was hurt: the test shows nothing";
}

// A player booked injured by an earlier match is not fit to play: he neither starts nor comes on, and
// a bench player starts in his place.
TEST(QuickMatchMinutes, APlayerOutInjuredDoesNotPlay) {
    GameSrand(31);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    CPlayer* out = home->players[2];
    out->words[kWordInjured] = 1;
    QuickMatchContext ctx = daytest::QuickContext(world, nullptr);
    for (int match = 1; match <= 50; ++match) {
        int a = 0, b = 0;
        SimulateQuickMatch(ctx, home, away, a, b);
        ASSERT_EQ(out->stats.size(), static_cast<size_t>(match)); // his record is kept all the same
        EXPECT_EQ(out->stats.back()->SecondsPlayed(), 0);
        EXPECT_EQ(out->stats.back()->Started(), 0);
        int started = 0;
        for (const CPlayer* player : home->players)
            started += player->stats.back()->Started();
        EXPECT_EQ(started, 5);
    }
}
