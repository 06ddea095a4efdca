// The club records of a quick result agree with its players' records, and the day's events land in
// the players' counters: the league tables and the match comparison read the club records.
#include "career/QuickResult.h"
#include "engine/GameRand.h"

#include "DayTestWorld.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

using daytest::MakeTeam;

namespace {

struct SideSums {
    int points = 0;
    int field[31] = {};
};

SideSums SumPlayers(const CTeam* team) {
    SideSums sums;
    for (const CPlayer* player : team->players) {
        const CPlayerStat* stat = player->stats.back();
        sums.points += stat->Field(10);
        for (int f = 1; f <= 30; ++f)
            sums.field[f] += stat->Field(f);
    }
    return sums;
}

// Club field -> player field: close shots, two- and three-pointers, free throws (attempted, made).
constexpr std::pair<int, int> kShotFields[] = {{11, 12}, {12, 13}, {13, 14}, {14, 15},
                                               {15, 16}, {16, 17}, {17, 20}, {18, 21}};

void ExpectClubMatchesPlayers(const CTeam* team, int match) {
    const CMatchStat* club = team->matchStats.back();
    SideSums sums = SumPlayers(team);
    EXPECT_EQ(club->Field(9), sums.points) << team->name.GetText() << " match " << match;
    for (const auto& [clubField, playerField] : kShotFields)
        EXPECT_EQ(club->Field(clubField), sums.field[playerField])
            << team->name.GetText() << " match " << match << " club field " << clubField;
}

} // namespace

TEST(QuickMatchBooks, ClubShotCountersAreTheSumsOfThePlayersRecords) {
    GameSrand(11);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    // Enough matches that some end level after 48 minutes: the deciding basket must reach both books.
    for (int match = 1; match <= 600; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        ExpectClubMatchesPlayers(home, match);
        ExpectClubMatchesPlayers(away, match);
        if (::testing::Test::HasFailure())
            break;
    }
}

TEST(QuickMatchBooks, TheDaysEventsLandInTheirPlayerCounters) {
    GameSrand(5);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    CDayResults results;
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    int homeScore = 0, awayScore = 0;
    SimulateQuickMatch(ctx, home, away, homeScore, awayScore);

    // Each event of a player adds one to his report entry: the entry is his count, so it weighs
    // right against a played match's totals among the day's leaders.
    auto counts = [&](int category) {
        std::map<std::string, int> byPlayer;
        for (const MatchDayEntry& entry : results.List(category))
            byPlayer[entry.playerName.Std()] = entry.value;
        return byPlayer;
    };
    const std::pair<int, int> kinds[] = {
        {CDayResults::kRebounds, 30}, {CDayResults::kDefence, 29}, {CDayResults::kSteals, 27}};
    for (const auto& [category, field] : kinds) {
        std::map<std::string, int> expected = counts(category);
        int total = 0;
        for (const CTeam* team : {home, away}) {
            for (const CPlayer* player : team->players) {
                int counted = player->stats.back()->Field(field);
                auto it = expected.find(player->name.Std());
                EXPECT_EQ(counted, it == expected.end() ? 0 : it->second)
                    << player->name.GetText() << " field " << field;
                total += counted;
            }
        }
        EXPECT_GT(total, 0) << "field " << field;
    }
    // The rebounds stand in all three fields, as every engine writes them: the comparison reads the
    // two kinds, the leaders their sum. Both kinds occur.
    int offensive = 0, defensive = 0;
    for (const CTeam* team : {home, away})
        for (const CPlayer* player : team->players) {
            const CPlayerStat* stat = player->stats.back();
            EXPECT_EQ(stat->OffensiveRebounds() + stat->DefensiveRebounds(), stat->Rebounds())
                << player->name.GetText();
            offensive += stat->OffensiveRebounds();
            defensive += stat->DefensiveRebounds();
        }
    EXPECT_GT(offensive, 0);
    EXPECT_GT(defensive, offensive) << "a miss is mostly the defenders' ball";
}

// Two starters of one club share a name: the day's report keeps an entry for each, holding his own
// count, as his record does.
TEST(QuickMatchBooks, NamesakesKeepTheirOwnReportEntries) {
    GameSrand(5);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    home->players[0]->name = "Twin";
    home->players[1]->name = "Twin";
    CDayResults results;
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    int homeScore = 0, awayScore = 0;
    SimulateQuickMatch(ctx, home, away, homeScore, awayScore);

    int twinEntries = 0;
    for (const MatchDayEntry& entry : results.List(CDayResults::kRebounds))
        twinEntries += entry.playerName.Equals("Twin") ? 1 : 0;
    EXPECT_EQ(twinEntries, 2);
    for (int i = 0; i < 2; ++i) {
        const CPlayer* twin = home->players[static_cast<size_t>(i)];
        ASSERT_GT(twin->stats.back()->Field(30), 0) << "both twins take a rebound in this match";
        int reported = 0;
        for (const MatchDayEntry& entry : results.List(CDayResults::kRebounds))
            reported += entry.owner == twin ? entry.value : 0;
        EXPECT_EQ(reported, twin->stats.back()->Field(30)) << "twin " << i;
    }
}

// A side plays 48 minutes with five on court: 240 player-minutes, no player above 48, even when
// someone is hurt.
TEST(QuickMatchBooks, ASidesMinutesAddUpToTwoHundredForty) {
    GameSrand(3);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    CDayResults results;
    QuickMatchContext ctx = daytest::QuickContext(world, &results);
    for (int match = 1; match <= 60; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            int seconds = 0;
            for (const CPlayer* player : team->players) {
                const int played = player->stats.back()->SecondsPlayed();
                EXPECT_LE(played, 48 * 60) << player->name.GetText() << " match " << match;
                seconds += played;
            }
            EXPECT_EQ(seconds, 240 * 60) << team->name.GetText() << " match " << match;
        }
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_FALSE(results.Incidents().empty()) << "no one was hurt: the test shows nothing";
}

// A club's best crowd grows with its quick home matches: the home club's, never the visitors', a
// hall holding seven in ten of its seats at most, more fans for a club in form.
TEST(QuickMatchBooks, AHomeMatchGivesTheHomeClubItsCrowd) {
    GameSrand(4);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    home->fanBase = away->fanBase = 5000;
    QuickMatchContext ctx = daytest::QuickContext(world);
    int homeScore = 0, awayScore = 0;
    PlayQuickFixture(ctx, nullptr, CStr(), CStr(), home, away, homeScore, awayScore);
    EXPECT_GE(home->attendance, 1000) << "a fifth of the fans at the least";
    EXPECT_LE(home->attendance, 5000);
    EXPECT_EQ(away->attendance, 0);

    auto formed = [&](int32_t id, bool winning) {
        CTeam* club = MakeTeam(world, id, "Form", 12, 5);
        club->fanBase = 5000;
        for (int game = 0; game < 10; ++game) {
            auto* stat = world.matchStats.Append(new CMatchStat());
            stat->Score() = winning ? 90 : 70;
            stat->OpponentScore() = winning ? 70 : 90;
            club->matchStats.push_back(stat);
        }
        RecordHomeCrowd(*club);
        return club;
    };
    EXPECT_EQ(formed(3, true)->attendance, 5000);
    EXPECT_EQ(formed(4, false)->attendance, 1000);

    CTeam* small = formed(5, true);
    small->attendance = 0;
    CStadiumRecord hall;
    CStadiumWingRecord wing;
    wing.seats = 2000;
    hall.wings.push_back(&wing);
    small->stadium = &hall;
    RecordHomeCrowd(*small);
    EXPECT_EQ(small->attendance, 1400);
    small->stadium = nullptr;
    // A smaller crowd later leaves the best one standing.
    small->attendance = 4000;
    small->matchStats.clear();
    RecordHomeCrowd(*small);
    EXPECT_EQ(small->attendance, 4000);
}

// Free throws are given for fouls: each pair of throws a side takes is a foul by one of the other
// side's players on court, booked as a defensive foul where every screen reads the fouls. A side
// once took 30 throws while the side that gave them was booked 4 fouls (the defence events). Fouls
// that give no throws come on top: a defender's on the way to a shot, a handler's charge.
TEST(QuickMatchBooks, EveryPairOfFreeThrowsIsAFoulOfTheOtherSide) {
    GameSrand(23);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    std::map<std::string, int> foulsByPlayer, secondsByPlayer;
    int totalFouls = 0;
    for (int match = 1; match <= 300; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            const CTeam* other = team == home ? away : home;
            int fouls = 0, defenceFouls = 0;
            for (const CPlayer* player : team->players) {
                const CPlayerStat& stat = *player->stats.back();
                EXPECT_EQ(stat.Fouls(), stat.AttackFouls() + stat.DefenceFouls()) << player->name.GetText();
                if (stat.Fouls() > 0) {
                    EXPECT_GT(stat.SecondsPlayed(), 0) << "a foul by a player who never came on";
                }
                fouls += stat.Fouls();
                defenceFouls += stat.DefenceFouls();
                foulsByPlayer[player->name.Std()] += stat.Fouls();
                secondsByPlayer[player->name.Std()] += stat.SecondsPlayed();
            }
            EXPECT_GE(2 * defenceFouls, other->matchStats.back()->FreeThrowsTaken())
                << team->name.GetText() << " match " << match;
            totalFouls += fouls;
        }
        if (::testing::Test::HasFailure())
            break;
    }
    // About ten trips to the line a side and as many fouls without throws: the fouls spread over
    // everyone who plays, the more the longer he plays.
    std::printf("quick results: %.1f fouls a side a match\n", totalFouls / 600.0);
    EXPECT_GT(totalFouls, 300 * 2 * 15);
    EXPECT_LT(totalFouls, 300 * 2 * 25);
    int played = 0;
    for (const auto& [name, fouls] : foulsByPlayer) {
        const int minutes = secondsByPlayer[name] / 60;
        if (minutes < 600)
            continue;
        ++played;
        EXPECT_GT(fouls, minutes / 48) << name << ", " << minutes << " minutes";
        EXPECT_LT(fouls, minutes / 4) << name << ", " << minutes << " minutes";
    }
    EXPECT_GE(played, 14);
}

// A shot a defender stops is his block: the players' blocks, the club's, and the day's defence line
// agree, and only the side without the ball blocks.
TEST(QuickMatchBooks, AShotADefenderStopsIsHisBlock) {
    GameSrand(29);
    CMemoryDB world;
    CTeam* home = MakeTeam(world, 1, "Harbour", 12, 5);
    CTeam* away = MakeTeam(world, 2, "Valley", 12, 5);
    QuickMatchContext ctx = daytest::QuickContext(world);
    int blocks = 0;
    for (int match = 1; match <= 50; ++match) {
        int homeScore = 0, awayScore = 0;
        SimulateQuickMatch(ctx, home, away, homeScore, awayScore);
        for (const CTeam* team : {home, away}) {
            int players = 0;
            for (const CPlayer* player : team->players)
                players += player->stats.back()->Blocks();
            EXPECT_EQ(team->matchStats.back()->Blocks(), players)
                << team->name.GetText() << " match " << match;
            blocks += players;
        }
    }
    // A few a side in each match.
    std::printf("quick results: %.1f blocks a side a match\n", blocks / 100.0);
    EXPECT_GT(blocks, 50 * 2);
    EXPECT_LT(blocks, 50 * 2 * 8);

    // A side alone on the court never meets a shot to stop, nor gives a foul.
    CTeam* alone = MakeTeam(world, 3, "Alone", 10, 5);
    CTeam* nobody = MakeTeam(world, 4, "Nobody", 0, 0);
    for (int match = 0; match < 20; ++match) {
        int a = 0, b = 0;
        SimulateQuickMatch(ctx, alone, nobody, a, b);
        EXPECT_EQ(alone->matchStats.back()->Blocks(), 0);
        for (const CPlayer* player : alone->players) {
            EXPECT_EQ(player->stats.back()->Blocks(), 0) << player->name.GetText();
            EXPECT_EQ(player->stats.back()->Fouls(), 0) << player->name.GetText();
        }
    }
}
